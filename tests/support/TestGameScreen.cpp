#include "tests/support/TestGameScreen.h"

#include "engine/core/StringFunctions.h"
#include "framework/LevelRecord.h"

namespace corvellan::test
{

std::string DescribeArgument(const TestGameJournal& /*journal*/, std::uint32_t value)
{
    return std::to_string(value);
}

std::string DescribeArgument(const TestGameJournal& /*journal*/, bool value)
{
    return value ? "1" : "0";
}

std::string DescribeArgument(const TestGameJournal& /*journal*/, float value)
{
    return OrvaneEngine::FloatToString(value, 2);
}

std::string DescribeArgument(const TestGameJournal& /*journal*/, const std::u16string& value)
{
    return "\"" + OrvaneEngine::WideToNarrow(value) + "\"";
}

std::string DescribeArgument(const TestGameJournal& journal, const GameFramework::DataKeeper* value)
{
    return journal.NameOf(value);
}

std::string DescribeArgument(const TestGameJournal& journal, const GameFramework::GameLogicBase* value)
{
    return journal.NameOf(value);
}

std::string DescribeArgument(const TestGameJournal& /*journal*/, const GameFramework::LevelRecord* value)
{
    if (value == nullptr)
        return "null";
    return std::to_string(value->stageIndex) + ":" + std::to_string(value->levelIndex);
}

std::string DescribeArgument(const TestGameJournal& /*journal*/, const GameFramework::HighScoresTable::Row* value)
{
    if (value == nullptr)
        return "null";
    return OrvaneEngine::WideToNarrow(value->name) + "=" + std::to_string(value->score);
}

} // namespace corvellan::test
