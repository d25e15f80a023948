#include "game/menus/GUINameEntry.h"

#include "engine/core/Controls.h"
#include "engine/core/StringFunctions.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIEditBox.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuButtons.h"
#include "game/menus/GUIMenuWindow.h"

namespace Mirabel
{

using namespace OrvaneEngine;

GUINameEntry::GUINameEntry(GUIMenuWindow& windowIn, Engine* engine, GameData* gameData, bool negativeFirst)
    : window(windowIn)
{
    const Model* edit = gameData->smallWindowEdit;
    editControl = GUIMenuButtons::Add(window, engine, gameData, GUIControl::EditBox, edit, {edit, nullptr, edit});
    const GUIMenuButtons::Models models = GUIMenuButtons::Big(*gameData);
    if (negativeFirst)
        negativeControl = GUIMenuButtons::AddButton(window, engine, gameData, gameData->smallWindowButtons[0], models);
    okControl = GUIMenuButtons::AddButton(window, engine, gameData, gameData->smallWindowButtons[1], models);
    if (!negativeFirst)
        negativeControl = GUIMenuButtons::AddButton(window, engine, gameData, gameData->smallWindowButtons[0], models);
}

GUINameEntry::~GUINameEntry() = default;

std::u16string GUINameEntry::Name() const
{
    return TrimW(editControl->editBox->text);
}

void GUINameEntry::SetText(const std::u16string& text)
{
    editControl->editBox->SetText(text);
}

bool GUINameEntry::Update(const Controls& controls)
{
    GUIButton& ok = *okControl->button;
    ok.SetEnabled(!Name().empty());
    if (GUIMenuButtons::Clicked(window, *okControl))
        return true;
    return window.IsOpen() && ok.IsEnabled() && controls.IsKeyPressed("ENTER");
}

bool GUINameEntry::NegativeClicked() const
{
    return GUIMenuButtons::Clicked(window, *negativeControl);
}

void GUINameEntry::AddTexts(const std::string& negativeLabel) const
{
    window.frameWindow->AddTextByKey(1, GUIMenuButtons::BodyFont, Vector2(0.0f, 128.0f), window.color,
                                     "ENTER_YOUR_NAME");
    GUIMenuButtons::Label(window, *okControl, "OK");
    GUIMenuButtons::Label(window, *negativeControl, negativeLabel);
}

} // namespace Mirabel
