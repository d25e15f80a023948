#include "content/DataMenuModels.h"

#include "content/DataStaging.h"

namespace corvellan::content
{

void DataMenuModels::Stage(DataStaging&) {}

void DataMenuModels::WriteSeeds(const std::string&) {}

} // namespace corvellan::content
