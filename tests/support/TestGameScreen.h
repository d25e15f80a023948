#pragma once

#include "framework/HighScoresTable.h"
#include "tests/support/Journaled.h"

#include <cstdint>
#include <string>

namespace GameFramework
{
class DataKeeper;
class GameLogicBase;
class LevelRecord;
} // namespace GameFramework

namespace corvellan::test
{

// How a Show argument reads in the journal: numbers in decimal, names in
// quotes, keepers and levels by the names the test game gave them, level
// records as "stage:level", high-score rows as "name=score", null as "null".
std::string DescribeArgument(const TestGameJournal& journal, std::uint32_t value);
std::string DescribeArgument(const TestGameJournal& journal, bool value);
std::string DescribeArgument(const TestGameJournal& journal, float value);
std::string DescribeArgument(const TestGameJournal& journal, const std::u16string& value);
std::string DescribeArgument(const TestGameJournal& journal, const GameFramework::DataKeeper* value);
std::string DescribeArgument(const TestGameJournal& journal, const GameFramework::GameLogicBase* value);
std::string DescribeArgument(const TestGameJournal& journal, const GameFramework::LevelRecord* value);
std::string DescribeArgument(const TestGameJournal& journal, const GameFramework::HighScoresTable::Row* value);

// A screen of the test game: it journals "show <name>" for a Show without
// arguments, "show <name>(<arguments>)" otherwise, and "hide <name>". A test
// sets its result directly, or from the journal's onShow.
template <class Base, class... Args>
class TestGameScreen : public Journaled<Base>
{
public:
    using Journaled<Base>::Journaled;

    void Show(Args... args) override
    {
        Base::Show(args...);
        std::string entry = "show " + this->name;
        if constexpr (sizeof...(Args) > 0)
        {
            std::string list;
            ((list += (list.empty() ? "" : ", ") + DescribeArgument(this->journal, args)), ...);
            entry += "(" + list + ")";
        }
        this->journal.Add(entry);
        if (this->journal.onShow)
            this->journal.onShow(this->name);
    }

    void Update() override
    {
        Base::Update();
        if (this->journal.recordUpdates)
            this->journal.Add("update " + this->name);
    }

    void Hide() override
    {
        Base::Hide();
        this->journal.Add("hide " + this->name);
    }
};

} // namespace corvellan::test
