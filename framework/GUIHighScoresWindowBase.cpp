#include "framework/GUIHighScoresWindowBase.h"

namespace GameFramework
{

GUIHighScoresWindowBase::~GUIHighScoresWindowBase() = default;

void GUIHighScoresWindowBase::Update()
{
    result = 0;
}

void GUIHighScoresWindowBase::Show(std::uint32_t /*callerCode*/, const HighScoresTable::Row* /*highlightedRow*/)
{
}

void GUIHighScoresWindowBase::Hide()
{
}

} // namespace GameFramework
