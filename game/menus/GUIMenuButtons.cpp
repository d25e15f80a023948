#include "game/menus/GUIMenuButtons.h"

#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUITextManager.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuWindow.h"

namespace Mirabel
{

using namespace OrvaneEngine;

GUIMenuButtons::Models GUIMenuButtons::Big(const GameData& data)
{
    return {data.buttonBig, data.buttonBigSelectionArea, data.buttonBigTextArea};
}

GUIMenuButtons::Models GUIMenuButtons::Small(const GameData& data)
{
    return {data.buttonSmall, data.buttonSmallSelectionArea, data.buttonSmallTextArea};
}

GUIMenuButtons::Models GUIMenuButtons::MainMenu(const GameData& data)
{
    return {data.buttonMainMenu, data.buttonMainMenuSelectionArea, data.buttonMainMenuTextArea};
}

std::unique_ptr<GUIControl> GUIMenuButtons::Add(GUIMenuWindow& window, Engine* engine, GameData* gameData,
                                                std::uint32_t kind, const Model* appear, const Models& models)
{
    auto control = std::make_unique<GUIControl>(engine, gameData, kind, appear, models.widget, models.hitArea,
                                                models.textArea, window.frameWindow);
    window.controlList.push_back(control.get());
    return control;
}

std::unique_ptr<GUIControl> GUIMenuButtons::AddButton(GUIMenuWindow& window, Engine* engine, GameData* gameData,
                                                      const Model* appear, const Models& models)
{
    return Add(window, engine, gameData, GUIControl::Button, appear, models);
}

bool GUIMenuButtons::Clicked(const GUIMenuWindow& window, const GUIControl& control)
{
    return window.IsOpen() && control.button != nullptr && control.button->clicked;
}

void GUIMenuButtons::Label(const GUIMenuWindow& window, const GUIControl& control, const std::string& key)
{
    if (control.widget != nullptr)
        control.widget->AddTextByKey(3, LabelFont, Vector2(0.0f, 0.0f), window.color, key);
}

std::uint32_t GUIMenuButtons::LineCount(const GUITextManager& texts, MessageManager& log, const std::string& key)
{
    const std::uint32_t count = StringToUInt(WideToNarrow(texts.GetText(key)), 10);
    if (count <= MostTextLines)
        return count;
    log.Warning("\"" + key + "\" asks for " + std::to_string(count) + " lines; " + std::to_string(MostTextLines) +
                " are shown");
    return MostTextLines;
}

} // namespace Mirabel
