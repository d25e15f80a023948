#include "game/menus/GUIDialogTexts.h"

#include "engine/gui/GUIWindow.h"
#include "game/menus/GUIMenuButtons.h"
#include "game/menus/GUIMenuWindow.h"
#include "game/menus/GUIMenuWindowManager.h"

namespace Mirabel
{

using namespace OrvaneEngine;

void GUIDialogTexts::Lines(GUIMenuWindow& window, const std::string& key, std::uint32_t count, float top)
{
    for (std::uint32_t i = 0; i < count; ++i)
        window.frameWindow->AddTextByKey(1, GUIMenuButtons::BodyFont,
                                         Vector2(0.0f, top - 23.0f * static_cast<float>(i)), window.color, key,
                                         static_cast<std::int32_t>(i));
}

bool GUIDialogTexts::ClosedAndFaded(const GUIMenuWindow& window, const GUIMenuWindowManager& manager, std::uint8_t closing)
{
    return closing != 0 && window.frameWindow != nullptr && !window.frameWindow->visible &&
           manager.IsFadeFinished();
}

void GUIDialogTexts::StartClose(GUIMenuWindow& window, GUIMenuWindowManager& manager)
{
    window.SetOpen(0);
    manager.StartFadeIn();
}

} // namespace Mirabel
