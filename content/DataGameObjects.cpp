#include "content/DataGameObjects.h"

#include "content/DataStaging.h"

namespace corvellan::content
{

void DataGameObjects::Stage(DataStaging&) {}

void DataGameObjects::WriteSeeds(const std::string&) {}

} // namespace corvellan::content
