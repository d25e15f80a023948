#include "framework/LevelRecord.h"

namespace GameFramework
{

LevelRecord::~LevelRecord() = default;

} // namespace GameFramework
