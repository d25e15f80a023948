#pragma once

#include "framework/GameLoaderBase.h"
#include "tests/support/TestGame.h"
#include "tests/support/TestGameJournal.h"

namespace corvellan::test
{

// The loader of the test game. Run is left to the caller, so a test can set
// the options and its hooks first; the journal outlives the game.
class TestGameLoader : public GameFramework::GameLoaderBase
{
public:
    explicit TestGameLoader(TestGame::Options optionsIn = {}) : options(std::move(optionsIn)) {}

    void CreateGame() override;

    TestGame* GetTestGame() const { return static_cast<TestGame*>(game.get()); }

    TestGameJournal journal;
    TestGame::Options options;
};

} // namespace corvellan::test
