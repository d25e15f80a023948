#include "tests/game/menus/MenuScreenFixture.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "platform/win32/Messages.h"

namespace corvellan::test
{

using namespace OrvaneEngine;

namespace
{

const std::string Models = "ui\\menus\\models\\";

std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

} // namespace

void MenuScreenFixture::SetUp()
{
    ASSERT_TRUE(menu.data.WriteDefault());
    const std::string controls = Models + "controls\\";
    bool ok = true;
    for (const char* size : {"button_big", "button_small"})
        for (const char* part : {"", "_selection_area", "_text_area"})
            ok = ok && menu.data.Model(controls + size + part + ".mlf", 1, {0.0f, 0.0f, 100.0f, 24.0f});
    for (const char* part : {"_selection_area", "_text_area"})
        ok = ok && menu.data.Model(controls + "button_main_menu" + part + ".mlf", 1, {0.0f, 0.0f, 200.0f, 40.0f});
    ok = ok && menu.data.Model(controls + "check_box.mlf", 1, {0.0f, 0.0f, 20.0f, 20.0f});
    // Every button of a screen stands apart from the others.
    for (int k = 0; k < 3; ++k)
        ok = ok && menu.data.Model(Models + "big_window\\button_" + std::to_string(k) + ".mlf", 1,
                                   {150.0f + 190.0f * static_cast<float>(k), 110.0f,
                                    250.0f + 190.0f * static_cast<float>(k), 134.0f});
    for (int k = 0; k < 2; ++k)
    {
        const MenuBox box{200.0f + 280.0f * static_cast<float>(k), 110.0f, 300.0f + 280.0f * static_cast<float>(k),
                          134.0f};
        ok = ok && menu.data.Model(Models + "small_window\\button_" + std::to_string(k) + ".mlf", 1, box) &&
             menu.data.Model(Models + "large_window\\button_" + std::to_string(k) + ".mlf", 1, box);
    }
    for (int k = 0; k < 7; ++k)
        ok = ok && menu.data.Model(Models + "main_menu\\button_" + std::to_string(k) + ".mlf", 1,
                                   {300.0f, 120.0f + 50.0f * static_cast<float>(k), 500.0f,
                                    160.0f + 50.0f * static_cast<float>(k)});
    for (int k = 0; k < 4; ++k)
        ok = ok && menu.data.Model(Models + "profiles\\button_" + std::to_string(k) + ".mlf", 1,
                                   {150.0f + 110.0f * static_cast<float>(k), 110.0f,
                                    250.0f + 110.0f * static_cast<float>(k), 134.0f});
    ok = ok && menu.data.Model(Models + "profiles\\text.mlf", 1, {200.0f, 150.0f, 600.0f, 350.0f}) &&
         menu.data.Model(Models + "profiles\\scroll.mlf", 1, {620.0f, 150.0f, 640.0f, 350.0f});
    ok = ok && menu.data.Model(Models + "small_window\\edit.mlf", 1, {250.0f, 200.0f, 550.0f, 230.0f}) &&
         menu.data.Model(Models + "start_game\\relax_check_box.mlf", 1, {150.0f, 150.0f, 170.0f, 170.0f});
    ASSERT_TRUE(ok);

    texts = {{"LOADING", u"LOADING"},
             {"MAIN_MENU_WELCOME", u"Welcome"},
             {"HIT_MOUSE_BUTTON_TO_CONTINUE", u"Click to continue"},
             {"OK", u"OK"},
             {"YES", u"Yes"},
             {"NO", u"No"},
             {"EXIT", u"Exit"},
             {"BACK", u"Back"},
             {"CANCEL", u"Cancel"},
             {"CONTINUE", u"Continue"},
             {"CONTINUE_GAME_LOGIC_GAME_MODE", u"Mode"},
             {"CONTINUE_GAME_LOGIC_GAME_MODE_RELAX", u"Relax"},
             {"CONTINUE_GAME_LOGIC_GAME_MODE_ARCADE", u"Arcade"},
             {"CONTINUE_GAME_LOGIC_LEVEL", u"Level"},
             {"CONTINUE_GAME_LOGIC_SCORE", u"Score"},
             {"DELETE_PROFILE_TEXT_0", u"Delete %profile_name%?"},
             {"DELETE_PROFILE_TEXT_1", u"%PROFILE_NAME% and %Profile_Name% go"},
             {"DELETE_PROFILE_TEXT_2", u"for good"},
             {"INTRODUCTION_TEXT_SIZE", u"25"},
             {"RELAX_TEXT_SIZE", u"3"},
             {"HIGH_SCORES_NO_RECORDS", u"No records"}};
    for (const char* key : {"MAIN_MENU_START", "MAIN_MENU_HIGH_SCORES", "MAIN_MENU_OPTIONS", "MAIN_MENU_CHANGE_PROFILE",
                            "MAIN_MENU_SHOW_PLACE", "MAIN_MENU_CREDITS", "MAIN_MENU_EXIT", "EXIT_TITLE", "HELP_TITLE",
                            "INTRODUCTION_TITLE", "RELAX_TITLE", "CONTINUE_GAME_LOGIC_TITLE", "ENTER_YOUR_NAME",
                            "WELCOME_TITLE", "PROFILES_TITLE", "NEW_PROFILE_TITLE", "RENAME_PROFILE_TITLE",
                            "DELETE_PROFILE_TITLE", "PROFILE_NAME_CONFLICT_TITLE", "TUTORIAL_TITLE",
                            "TUTORIAL_DO_NOT_SHOW", "TUTORIAL_CONTINUE", "CONTINUE_GAME_LOGIC_CONTINUE_GAME",
                            "CONTINUE_GAME_LOGIC_NEW_GAME"})
        texts.emplace(key, Wide(key));
    for (const auto& [key, count] : std::map<std::string, int>{{"EXIT_TEXT_", 2},
                                                                {"HELP_TEXT_", 12},
                                                                {"INTRODUCTION_TEXT_", 30},
                                                                {"RELAX_TEXT_", 4},
                                                                {"CONTINUE_GAME_LOGIC_TEXT_", 3},
                                                                {"PROFILE_NAME_CONFLICT_TEXT_", 2}})
        for (int i = 0; i < count; ++i)
            texts.emplace(key + std::to_string(i), Wide(key + std::to_string(i)));
}

void MenuScreenFixture::Start()
{
    ASSERT_TRUE(menu.data.Texts(texts));
    ASSERT_TRUE(menu.StartMenus());
}

void MenuScreenFixture::RaisePendingClicks()
{
    for (const Mirabel::GUIControl* control : pending)
        control->button->clicked = true;
    pending.clear();
}

bool MenuScreenFixture::OpenFully(const Mirabel::GUIMenuWindow& window, std::uint32_t milliseconds)
{
    return menu.StepUntil([&] { return window.color.a > 0.9999f && window.IsAnyControlAppearing() == 0; },
                          milliseconds, 200);
}

bool MenuScreenFixture::CloseFully(const Mirabel::GUIMenuWindow& window, std::uint32_t milliseconds)
{
    return menu.StepUntil([&] { return !window.frameWindow->visible && menu.manager->tokenFree != 0; },
                          milliseconds, 200);
}

std::uint32_t MenuScreenFixture::ClickFrame(const std::vector<const Mirabel::GUIControl*>& controls,
                                            const std::function<std::uint32_t()>& result,
                                            std::uint32_t milliseconds)
{
    pending = controls;
    menu.Update(milliseconds);
    const std::uint32_t answer = result();
    menu.Render();
    return answer;
}

Vector2 MenuScreenFixture::Middle(const GUIWindow& widget)
{
    Vector2 corner = widget.GetAbsolutePosition();
    Vector2 extent = widget.size;
    if (widget.customHitRect)
    {
        corner += widget.hitRectOrigin;
        extent = widget.hitRectSize;
    }
    return Vector2(corner.x + extent.x * 0.5f, corner.y + extent.y * 0.5f);
}

std::uint32_t MenuScreenFixture::RealClick(const Mirabel::GUIControl& control,
                                           const std::function<std::uint32_t()>& result)
{
    return RealClickAt(*control.widget, result);
}

std::uint32_t MenuScreenFixture::RealClickAt(const GUIWindow& widget, const std::function<std::uint32_t()>& result)
{
    const Vector2 middle = Middle(widget);
    menu.MoveTo(static_cast<std::int32_t>(middle.x), static_cast<std::int32_t>(middle.y));
    menu.Step(20);
    menu.Press(true);
    menu.Step(20);
    menu.Press(false);
    menu.Update(20);
    const std::uint32_t answer = result();
    menu.Render();
    return answer;
}

std::vector<GUITextEntry> MenuScreenFixture::FrameTexts(const GUIWindow& window, std::uint32_t milliseconds)
{
    menu.Update(milliseconds);
    std::vector<GUITextEntry> entries = MenuHarness::TextEntries(window);
    menu.Render();
    return entries;
}

std::vector<GUITextEntry> MenuScreenFixture::WithKey(const std::vector<GUITextEntry>& entries,
                                                     const std::string& key)
{
    std::vector<GUITextEntry> found;
    for (const GUITextEntry& entry : entries)
        if (entry.key == key)
            found.push_back(entry);
    return found;
}

void MenuScreenFixture::PumpMessages()
{
    win32::MSG message{};
    while (win32::PeekMessageA(&message, 0, 0, 0, win32::PM_REMOVE) != 0)
    {
        win32::TranslateMessage(&message);
        win32::DispatchMessageA(&message);
    }
}

void MenuScreenFixture::TypeName(const std::string& text)
{
    for (char c : text)
    {
        menu.Type(std::string(1, c));
        PumpMessages();
        menu.Step(20);
    }
    menu.Step(20);
}

std::uint32_t MenuScreenFixture::PressEnter(const std::function<std::uint32_t()>& result)
{
    menu.Key("Return", true);
    PumpMessages();
    menu.Update(20);
    const std::uint32_t answer = result();
    menu.Render();
    menu.Key("Return", false);
    PumpMessages();
    menu.Step(20);
    return answer;
}

void MenuScreenFixture::StopAll()
{
    menu.updates.clear();
    screens.clear();
    menu.Stop();
}

std::string MenuScreenFixture::ProfilesFolder() const { return menu.fixture.folder.Join("profiles"); }

} // namespace corvellan::test
