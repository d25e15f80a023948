#include "content/DataScreenModels.h"

#include "content/DataStaging.h"

namespace corvellan::content
{

void DataScreenModels::Stage(DataStaging&) {}

void DataScreenModels::WriteSeeds(const std::string&) {}

} // namespace corvellan::content
