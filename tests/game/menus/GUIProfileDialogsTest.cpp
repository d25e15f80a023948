// The welcome, new-profile, rename, delete, name-conflict and profile-list
// screens over the menu harness, with the profile files they write reread.
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIScroll.h"
#include "game/GameData.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/menus/GUIDeleteProfileWindow.h"
#include "game/menus/GUINewProfileWindow.h"
#include "game/menus/GUIProfileNameConflictWindow.h"
#include "game/menus/GUIProfilesWindow.h"
#include "game/menus/GUIRenameProfileWindow.h"
#include "game/menus/GUIWelcomeWindow.h"
#include "tests/game/menus/MenuScreenFixture.h"

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;

class GUIProfileDialogsTest : public MenuScreenFixture
{
protected:
    template <class Screen> Screen& Make()
    {
        return Add(std::make_unique<Screen>(menu.engine, menu.sounds.get(), menu.gameData.get(), menu.profiles.get(),
                                            menu.manager.get(), nullptr));
    }

    // The profile list as the next start of the program reads it.
    std::unique_ptr<Mirabel::ProfileManager> Reread()
    {
        return std::make_unique<Mirabel::ProfileManager>(menu.engine, menu.sounds.get(), ProfilesFolder());
    }

    static std::vector<std::u16string> Lines(const std::vector<GUITextEntry>& entries)
    {
        std::vector<std::u16string> lines;
        for (const GUITextEntry& entry : entries)
            if (!entry.fromKey)
                lines.push_back(entry.text);
        return lines;
    }
};

TEST_F(GUIProfileDialogsTest, WelcomeTakesATrimmedNameAndMakesItCurrentOnDisk)
{
    Start();
    auto& screen = Make<Mirabel::GUIWelcomeWindow>();
    screen.Show();
    ASSERT_TRUE(OpenFully(screen));
    TypeName("   ");
    EXPECT_FALSE(screen.entry.okControl->button->IsEnabled());
    EXPECT_EQ(PressEnter([&] { return screen.result; }), 0u);
    EXPECT_TRUE(menu.profiles->profiles.empty());

    TypeName("Ann ");
    EXPECT_TRUE(screen.entry.okControl->button->IsEnabled());
    EXPECT_EQ(screen.entry.Name(), u"Ann");
    const auto entries = FrameTexts(*screen.frameWindow);
    const auto prompt = WithKey(entries, "ENTER_YOUR_NAME");
    ASSERT_EQ(prompt.size(), 1u);
    EXPECT_FLOAT_EQ(prompt[0].position.y, 128.0f);
    EXPECT_EQ(RealClick(*screen.entry.okControl, [&] { return screen.result; }), 3u);
    auto reread = Reread();
    ASSERT_NE(reread->currentProfile, nullptr);
    EXPECT_EQ(reread->currentProfile->name, u"Ann");
}

TEST_F(GUIProfileDialogsTest, NegativeButtonsAndTheirLabels)
{
    Start();
    auto& welcome = Make<Mirabel::GUIWelcomeWindow>();
    auto& fresh = Make<Mirabel::GUINewProfileWindow>();
    auto& rename = Make<Mirabel::GUIRenameProfileWindow>();
    struct Row
    {
        Mirabel::GUIMenuWindow* window;
        Mirabel::GUINameEntry* entry;
        std::function<void()> show;
        std::function<std::uint32_t()> result;
        bool profileExists;
        std::string label;
        std::uint32_t expected;
    };
    const Row rows[] = {
        {&welcome, &welcome.entry, [&] { welcome.Show(); }, [&] { return welcome.result; }, false, "EXIT", 4},
        {&fresh, &fresh.entry, [&] { fresh.Show(1); }, [&] { return fresh.result; }, false, "EXIT", 4},
        {&fresh, &fresh.entry, [&] { fresh.Show(1); }, [&] { return fresh.result; }, true, "CANCEL", 5},
        {&rename, &rename.entry, [&] { rename.Show(true, u"Ann"); }, [&] { return rename.result; }, true, "CANCEL",
         5},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.label + " " + std::to_string(row.expected));
        if (row.profileExists && menu.profiles->profiles.empty())
            menu.profiles->CreateProfile(u"Ann");
        row.show();
        ASSERT_TRUE(OpenFully(*row.window));
        menu.Update(20);
        const auto labels = MenuHarness::TextEntries(*row.entry->negativeControl->widget);
        menu.Render();
        ASSERT_EQ(labels.size(), 1u);
        EXPECT_EQ(labels[0].key, row.label);
        EXPECT_EQ(ClickFrame({row.entry->negativeControl.get()}, row.result), row.expected);
        row.window->SetOpen(0);
        ASSERT_TRUE(CloseFully(*row.window));
    }
}

TEST_F(GUIProfileDialogsTest, ATakenNameGoesToTheConflictScreenAndComesBackKept)
{
    Start();
    menu.profiles->SetCurrentProfile(menu.profiles->CreateProfile(u"Ann"), true);
    auto& fresh = Make<Mirabel::GUINewProfileWindow>();
    auto& conflict = Add(std::make_unique<Mirabel::GUIProfileNameConflictWindow>(
        menu.engine, menu.sounds.get(), menu.gameData.get(), menu.manager.get(), nullptr));
    fresh.Show(1);
    ASSERT_TRUE(OpenFully(fresh));
    TypeName("ANN");
    EXPECT_EQ(PressEnter([&] { return fresh.result; }), 9u);
    EXPECT_EQ(menu.profiles->profiles.size(), 1u);
    fresh.Hide();
    ASSERT_TRUE(CloseFully(fresh));

    const std::pair<std::uint32_t, std::uint32_t> codes[] = {{3, 6}, {4, 7}};
    for (const auto& [code, expected] : codes)
    {
        conflict.Show(code);
        ASSERT_TRUE(OpenFully(conflict));
        const auto lines = WithKey(FrameTexts(*conflict.frameWindow), "PROFILE_NAME_CONFLICT_TEXT_");
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_FLOAT_EQ(lines[0].position.y, 102.0f);
        EXPECT_FLOAT_EQ(lines[1].position.y, 79.0f);
        EXPECT_EQ(PressEnter([&] { return conflict.result; }), expected);
        conflict.Hide();
        ASSERT_TRUE(CloseFully(conflict));
    }

    fresh.Show(0);
    ASSERT_TRUE(OpenFully(fresh));
    EXPECT_EQ(fresh.entry.editControl->editBox->text, u"ANN");
    TypeName("E");
    EXPECT_EQ(ClickFrame({fresh.entry.okControl.get()}, [&] { return fresh.result; }), 5u);
    auto reread = Reread();
    ASSERT_NE(reread->currentProfile, nullptr);
    EXPECT_EQ(reread->currentProfile->name, u"ANNE");
    EXPECT_EQ(reread->profiles.size(), 2u);
}

TEST_F(GUIProfileDialogsTest, RenameInOtherLetterCaseSucceedsWithoutChange)
{
    Start();
    menu.profiles->SetCurrentProfile(menu.profiles->CreateProfile(u"Ann"), true);
    menu.profiles->CreateProfile(u"Bob");
    auto& rename = Make<Mirabel::GUIRenameProfileWindow>();
    rename.Show(true, u"Ann");
    ASSERT_TRUE(OpenFully(rename));
    EXPECT_EQ(rename.entry.editControl->editBox->text, u"Ann");
    rename.entry.SetText(u"aNN");
    menu.Step(20);
    EXPECT_EQ(ClickFrame({rename.entry.okControl.get()}, [&] { return rename.result; }), 5u);
    EXPECT_EQ(Reread()->FindProfile(u"Ann")->name, u"Ann");

    rename.entry.SetText(u"bob");
    menu.Step(20);
    EXPECT_EQ(ClickFrame({rename.entry.okControl.get()}, [&] { return rename.result; }), 9u);
    rename.entry.SetText(u" Cy ");
    menu.Step(20);
    EXPECT_EQ(ClickFrame({rename.entry.okControl.get()}, [&] { return rename.result; }), 5u);
    auto reread = Reread();
    EXPECT_EQ(reread->FindProfile(u"Ann"), nullptr);
    ASSERT_NE(reread->FindProfile(u"Cy"), nullptr);
    EXPECT_EQ(reread->FindProfile(u"Cy")->name, u"Cy");
}

TEST_F(GUIProfileDialogsTest, TheNameFieldKeepsTwentyCharacters)
{
    Start();
    auto& welcome = Make<Mirabel::GUIWelcomeWindow>();
    welcome.Show();
    ASSERT_TRUE(OpenFully(welcome));
    TypeName("abcdefghijklmnopqrstu");
    EXPECT_EQ(welcome.entry.editControl->editBox->text, u"abcdefghijklmnopqrst");
}

TEST_F(GUIProfileDialogsTest, DeleteNamesTheProfileAndAnswersByWhatRemains)
{
    Start();
    for (const char16_t* name : {u"Ann", u"Bob", u"%PROFILE_NAME%"})
        menu.profiles->CreateProfile(name);
    menu.profiles->SetCurrentProfile(menu.profiles->FindProfile(u"Ann"), true);
    auto& screen = Make<Mirabel::GUIDeleteProfileWindow>();
    screen.Show(u"%PROFILE_NAME%");
    ASSERT_TRUE(OpenFully(screen));
    const auto lines = Lines(FrameTexts(*screen.frameWindow));
    const std::vector<std::u16string> expected = {u"Delete \"%PROFILE_NAME%\"?",
                                                  u"\"%PROFILE_NAME%\" and \"%PROFILE_NAME%\" go", u"for good"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(ClickFrame({screen.noControl.get()}, [&] { return screen.result; }), 5u);
    EXPECT_EQ(menu.profiles->profiles.size(), 3u);

    const std::pair<const char16_t*, std::uint32_t> rows[] = {{u"%PROFILE_NAME%", 5}, {u"Bob", 5}, {u"Ann", 6}};
    for (const auto& [name, result] : rows)
    {
        screen.Hide();
        ASSERT_TRUE(CloseFully(screen));
        screen.Show(name);
        ASSERT_TRUE(OpenFully(screen));
        EXPECT_EQ(ClickFrame({screen.yesControl.get()}, [&] { return screen.result; }), result);
        EXPECT_EQ(Reread()->FindProfile(name), nullptr);
    }
    EXPECT_TRUE(Reread()->profiles.empty());
}

TEST_F(GUIProfileDialogsTest, TheListShowsTheCurrentProfileFirstAndScrollsOverTheRest)
{
    Start();
    auto& screen = Make<Mirabel::GUIProfilesWindow>();
    for (const char16_t* name : {u"Ann", u"Bob", u"Cy"})
        menu.profiles->CreateProfile(name);
    menu.profiles->SetCurrentProfile(menu.profiles->FindProfile(u"Bob"), true);
    screen.Show();
    ASSERT_TRUE(OpenFully(screen));
    EXPECT_EQ(screen.names, (std::vector<std::u16string>{u"Bob", u"Ann", u"Cy"}));
    for (std::uint32_t i = 0; i < Mirabel::GUIProfilesWindow::RowCount; ++i)
        EXPECT_EQ(screen.nameButtons[i]->visible, i < 3) << i;
    EXPECT_FALSE(screen.scrollControl->scroll->IsEnabled());
    screen.Hide();
    ASSERT_TRUE(CloseFully(screen));

    for (const char16_t* name : {u"Dan", u"Eve", u"Fay", u"Gus", u"Hal", u"Ida"})
        menu.profiles->CreateProfile(name);
    screen.Show();
    ASSERT_TRUE(OpenFully(screen));
    GUIScroll& scroll = *screen.scrollControl->scroll;
    EXPECT_TRUE(scroll.IsEnabled());
    EXPECT_EQ(scroll.GetPositionCount(), 3u);
    EXPECT_EQ(scroll.GetPosition(), 0u);
    const Vector2 area = Mirabel::GUIControl::GetModelPosition(menu.gameData->profilesText);
    const float width = Mirabel::GUIControl::GetModelSize(menu.gameData->profilesText).x;
    for (std::uint32_t i = 0; i < Mirabel::GUIProfilesWindow::RowCount; ++i)
    {
        EXPECT_FLOAT_EQ(screen.nameButtons[i]->position.x, area.x + (width - 190.0f) / 2.0f);
        EXPECT_FLOAT_EQ(screen.nameButtons[i]->position.y, area.y + 163.0f - 22.0f * static_cast<float>(i));
    }
    const auto fonts = [&](const Vector2& pointer) {
        menu.MoveTo(static_cast<std::int32_t>(pointer.x), static_cast<std::int32_t>(pointer.y));
        menu.Step(20);
        menu.Update(20);
        std::vector<std::uint32_t> shown;
        for (GUIButton* button : screen.nameButtons)
        {
            const auto rows = MenuHarness::TextEntries(*button);
            shown.push_back(rows.size() == 1 ? rows[0].fontId : 99);
        }
        menu.Render();
        return shown;
    };
    EXPECT_EQ(fonts(Vector2(20.0f, 20.0f)), (std::vector<std::uint32_t>{4, 3, 3, 3, 3, 3, 3}));
    EXPECT_EQ(fonts(Middle(*screen.nameButtons[1])), (std::vector<std::uint32_t>{4, 5, 3, 3, 3, 3, 3}));
    // The current profile's row stays in its own font under the pointer.
    EXPECT_EQ(fonts(Middle(*screen.nameButtons[0])), (std::vector<std::uint32_t>{4, 3, 3, 3, 3, 3, 3}));
    EXPECT_FALSE(screen.nameButtons[0]->IsEnabled());

    scroll.SetPosition(2);
    menu.Update(20);
    const auto last = MenuHarness::TextEntries(*screen.nameButtons[6]);
    menu.Render();
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].text, u"Ida");

    // Row 2 at position 2 is the fifth name.
    EXPECT_EQ(RealClickAt(*screen.nameButtons[2], [&] { return screen.result; }), 0u);
    EXPECT_EQ(menu.profiles->currentProfile->name, u"Eve");
    EXPECT_EQ(Reread()->currentProfile->name, u"Eve");
    EXPECT_EQ(screen.names[0], u"Bob");

    const std::pair<const Mirabel::GUIControl*, std::uint32_t> buttons[] = {
        {screen.newControl.get(), 6}, {screen.renameControl.get(), 7}, {screen.deleteControl.get(), 8},
        {screen.doneControl.get(), 3}};
    for (const auto& [control, expected] : buttons)
    {
        screen.selectedName.clear();
        EXPECT_EQ(ClickFrame({control}, [&] { return screen.result; }), expected);
        EXPECT_EQ(screen.selectedName, expected == 7 || expected == 8 ? u"Eve" : u"") << expected;
    }
    EXPECT_EQ(ClickFrame({screen.deleteControl.get(), screen.doneControl.get()}, [&] { return screen.result; }), 3u);
}

} // namespace
} // namespace corvellan::test
