#include "game/GameStageRecord.h"

namespace Mirabel
{

GameStageRecord::~GameStageRecord() = default;

} // namespace Mirabel
