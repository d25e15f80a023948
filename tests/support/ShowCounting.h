#pragma once

#include "tests/support/Journaled.h"

#include <string>

namespace corvellan::test
{

// A screen shown without arguments that journals each Show.
template <class Base>
class ShowCounting : public Journaled<Base>
{
public:
    ShowCounting(TestGameJournal& journalIn, std::string nameIn) : Journaled<Base>(journalIn, std::move(nameIn)) {}

    void Show() override
    {
        Base::Show();
        this->journal.Add("show " + this->name);
    }
};

} // namespace corvellan::test
