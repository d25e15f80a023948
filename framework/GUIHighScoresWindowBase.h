#pragma once

#include "framework/HighScoresTable.h"

#include <cstdint>

namespace GameFramework
{

// The framework half of a screen: it reports the player's choice through
// its result code, which the application object reads once per frame.
class GUIHighScoresWindowBase
{
public:
    explicit GUIHighScoresWindowBase(HighScoresTable* highScoresTable);
    virtual ~GUIHighScoresWindowBase();
    GUIHighScoresWindowBase(const GUIHighScoresWindowBase&) = delete;
    GUIHighScoresWindowBase& operator=(const GUIHighScoresWindowBase&) = delete;

    // A code is reported for one frame only.
    virtual void Update();
    virtual void Show(std::uint32_t callerCode, const HighScoresTable::Row* highlightedRow);
    virtual void Hide();

    std::uint32_t GetCallerCode() const { return callerCode; }
    const HighScoresTable::Row* GetHighlightedRow() const { return highlightedRow; }

    // 0: nothing to report.
    std::uint32_t result = 0;

protected:
    HighScoresTable* highScoresTable;
    std::uint32_t callerCode = 0;
    const HighScoresTable::Row* highlightedRow = nullptr;
};

} // namespace GameFramework
