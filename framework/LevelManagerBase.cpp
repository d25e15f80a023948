#include "framework/LevelManagerBase.h"

namespace GameFramework
{

LevelManagerBase::~LevelManagerBase() = default;

} // namespace GameFramework
