#pragma once

namespace corvellan::test
{

// The fake milliseconds at 1000 for the object's life. The frame clock reads
// them only when they are on before the engine starts: make it before the game.
class TestGameClock
{
public:
    TestGameClock();
    ~TestGameClock();
    TestGameClock(const TestGameClock&) = delete;
    TestGameClock& operator=(const TestGameClock&) = delete;
};

} // namespace corvellan::test
