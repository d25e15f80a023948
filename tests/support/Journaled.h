#pragma once

#include "tests/support/TestGameJournal.h"

#include <string>
#include <utility>

namespace corvellan::test
{

// A framework object that writes its making and its end into a journal.
template <class Base>
class Journaled : public Base
{
public:
    template <class... Args>
    Journaled(TestGameJournal& journalIn, std::string nameIn, Args&&... args)
        : Base(std::forward<Args>(args)...), journal(journalIn), name(std::move(nameIn))
    {
        journal.Add("make " + name);
    }
    ~Journaled() override { journal.Add("delete " + name); }

protected:
    TestGameJournal& journal;
    std::string name;
};

} // namespace corvellan::test
