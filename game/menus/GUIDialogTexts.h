#pragma once

#include <cstdint>
#include <string>

namespace Mirabel
{

class GUIMenuWindow;
class GUIMenuWindowManager;

// What the in-game dialogs share: their numbered lines, and the answer of
// a question whose confirmation closes the frame first.
class GUIDialogTexts
{
public:
    // Lines key + 0 .. key + count - 1, centred, 23 units apart downwards from `top`.
    static void Lines(GUIMenuWindow& window, const std::string& key, std::uint32_t count, float top);
    // A confirmation that closed the frame answers once the frame has gone
    // and the menu background has faded back in over the level.
    static bool ClosedAndFaded(const GUIMenuWindow& window, const GUIMenuWindowManager& manager, std::uint8_t closing);
    // Starts that close: the frame shuts and the background fades in.
    static void StartClose(GUIMenuWindow& window, GUIMenuWindowManager& manager);
};

} // namespace Mirabel
