#include "content/DataBackground.h"

#include "content/DataStaging.h"

namespace corvellan::content
{

void DataBackground::Stage(DataStaging&) {}

void DataBackground::WriteSeeds(const std::string&) {}

} // namespace corvellan::content
