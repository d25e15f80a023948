#include "framework/StageRecord.h"

namespace GameFramework
{

StageRecord::~StageRecord() = default;

} // namespace GameFramework
