#include "tests/support/FuzzEngine.h"

namespace corvellan::test
{

FuzzEngine::FuzzEngine()
{
    fixture.settings.rootFolder = workspace.Root();
    fixture.Start();
}

} // namespace corvellan::test
