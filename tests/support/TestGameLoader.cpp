#include "tests/support/TestGameLoader.h"

namespace corvellan::test
{

void TestGameLoader::CreateGame()
{
    game = std::make_unique<TestGame>(journal, options);
}

} // namespace corvellan::test
