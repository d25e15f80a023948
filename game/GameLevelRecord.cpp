#include "game/GameLevelRecord.h"

namespace Mirabel
{

GameLevelRecord::~GameLevelRecord() = default;

} // namespace Mirabel
