#include "framework/GUIHighScoresWindowBase.h"

namespace GameFramework
{

GUIHighScoresWindowBase::GUIHighScoresWindowBase(HighScoresTable* highScoresTableIn)
    : highScoresTable(highScoresTableIn)
{
}

GUIHighScoresWindowBase::~GUIHighScoresWindowBase() = default;

void GUIHighScoresWindowBase::Update()
{
    result = 0;
}

void GUIHighScoresWindowBase::Show(std::uint32_t callerCodeIn, const HighScoresTable::Row* highlightedRowIn)
{
    callerCode = callerCodeIn;
    highlightedRow = highlightedRowIn;
}

void GUIHighScoresWindowBase::Hide()
{
}

} // namespace GameFramework
