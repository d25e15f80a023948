// The tutorial: its loop, the drawn mouse, the closing element, the skip
// path and the profile flag written by CONTINUE.
#include "engine/gui/GUICheckBox.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/menus/GUITutorialWindow.h"
#include "tests/game/menus/MenuScreenFixture.h"

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;
using Mirabel::GUITutorialWindow;

const std::string Folder = "ui\\menus\\models\\tutorial\\";

class GUITutorialWindowTest : public MenuScreenFixture
{
protected:
    void SetUp() override
    {
        MenuScreenFixture::SetUp();
        bool ok = menu.data.Model(Folder + "background.mlf", 1, {150, 150, 650, 450}) &&
                  menu.data.Model(Folder + "closed_element.mlf", 1, {200, 200, 240, 240}) &&
                  menu.data.Model(Folder + "mouse.mlf", 100, {300, 200, 320, 230}, {500, 400, 520, 430}) &&
                  menu.data.Model(Folder + "mouse_control.mlf", 3, {0, 0, 20, 30});
        for (int k = 0; k < 4; ++k)
            ok = ok && menu.data.Model(Folder + "element_" + std::to_string(k) + ".mlf", 100, {200, 200, 240, 240},
                                       {400, 300, 440, 340});
        ASSERT_TRUE(ok);
    }

    GUITutorialWindow& Make()
    {
        return Add(std::make_unique<GUITutorialWindow>(menu.engine, menu.sounds.get(), menu.profiles.get(),
                                                       menu.gameData.get(), menu.manager.get(), nullptr));
    }

    Mirabel::Profile& Player()
    {
        Mirabel::Profile& profile = menu.MakeCurrentProfile(u"Ann");
        profile.Validate();
        profile.Save();
        return profile;
    }

    std::uint8_t FlagOnDisk(const Mirabel::Profile& profile)
    {
        return Mirabel::Profile(menu.engine, profile.GetFileName(), profile.GetFolder()).tutorialFlag;
    }

    // One frame with the mouse path resting at frame f.
    void RestAt(GUITutorialWindow& screen, float f)
    {
        AnimationControl& path = *screen.Animation(GUITutorialWindow::MousePath);
        path.Stop();
        path.time = f;
        menu.Update(20);
        menu.Render();
    }
};

TEST_F(GUITutorialWindowTest, TheMouseShowsTheButtonPressedAtThePathFrame)
{
    const std::pair<float, std::uint32_t> rows[] = {{4.0f, 2},  {6.0f, 2},  {6.01f, 0}, {52.0f, 1},
                                                    {54.0f, 1}, {77.0f, 0}, {91.0f, 2}, {0.0f, 0}};
    for (const auto& [f, frame] : rows)
        EXPECT_EQ(GUITutorialWindow::MouseFrame(f), frame) << f;

    Start();
    Player();
    GUITutorialWindow& screen = Make();
    screen.Show();
    ASSERT_TRUE(OpenFully(screen));
    // The mouse follows the path's box as the last render left it.
    RestAt(screen, 5.0f);
    RestAt(screen, 5.0f);
    EXPECT_FLOAT_EQ(screen.Animation(GUITutorialWindow::Mouse)->time, 2.0f);
    const Vector2 corner = Mirabel::GUIControl::GetModelPosition(screen.pictures[GUITutorialWindow::MousePath]->model);
    EXPECT_FLOAT_EQ(screen.pictures[GUITutorialWindow::Mouse]->position.x, corner.x);
    EXPECT_FLOAT_EQ(screen.pictures[GUITutorialWindow::Mouse]->position.y, corner.y);
    RestAt(screen, 53.0f);
    EXPECT_FLOAT_EQ(screen.Animation(GUITutorialWindow::Mouse)->time, 1.0f);
}

TEST_F(GUITutorialWindowTest, TheClosedElementFadesOverPathFramesSeventyFiveToEighty)
{
    Start();
    Player();
    GUITutorialWindow& screen = Make();
    screen.Show();
    ASSERT_TRUE(OpenFully(screen));
    // Vertex colours hold 8 bits.
    const float step = 1.0f / 255.0f;
    const std::pair<float, float> rows[] = {{70.0f, 1.0f}, {77.5f, 0.5f}, {80.0f, 0.0f}, {90.0f, 0.0f}};
    for (const auto& [f, alpha] : rows)
    {
        RestAt(screen, f);
        EXPECT_NEAR(screen.pictures[GUITutorialWindow::ClosedElement]->GetColor().a, alpha * screen.color.a, step) << f;
        EXPECT_NEAR(screen.pictures[GUITutorialWindow::Background]->GetColor().a, screen.color.a, step);
    }
}

TEST_F(GUITutorialWindowTest, TheLoopWaitsForTheFullFrameAndPausesBeforeItRestarts)
{
    Start();
    Player();
    GUITutorialWindow& screen = Make();
    screen.Show();
    const AnimationControl& path = *screen.Animation(GUITutorialWindow::MousePath);
    int frames = 0;
    for (; frames < 200 && screen.color.a + 0.0001f <= 1.0f; ++frames)
    {
        EXPECT_FALSE(path.IsPlaying()) << frames;
        EXPECT_NEAR(screen.pictures[GUITutorialWindow::Element0]->GetColor().a, screen.color.a, 1e-5f);
        menu.Step(50);
    }
    EXPECT_GT(frames, 2);
    menu.Step(50);
    EXPECT_TRUE(path.IsPlaying());
    for (GUITutorialWindow::Picture p : {GUITutorialWindow::Element0, GUITutorialWindow::Element3})
        EXPECT_TRUE(screen.Animation(p)->IsPlaying());

    // Played to its end: a pause of 1.5 s, then frame 0, then the next start.
    ASSERT_TRUE(menu.StepUntil([&] { return !path.IsPlaying(); }, 100, 200));
    ASSERT_GT(path.time, 90.0f);
    int paused = 0;
    while (path.time > 0.0f && paused < 100)
    {
        EXPECT_FALSE(path.IsPlaying());
        menu.Step(80);
        ++paused;
    }
    EXPECT_EQ(paused, 19);
    EXPECT_FALSE(path.IsPlaying());
    menu.Step(80);
    EXPECT_TRUE(path.IsPlaying());
}

TEST_F(GUITutorialWindowTest, ASwitchedOffTutorialAnswersContinueAtOnceAndNeverOpens)
{
    Start();
    Player();
    GUITutorialWindow& screen = Make();
    screen.showFlag = 0;
    screen.Show();
    EXPECT_EQ(ClickFrame({}, [&] { return screen.result; }), 13u);
    EXPECT_EQ(ClickFrame({}, [&] { return screen.result; }), 0u);
    screen.Hide();
    for (int n = 0; n < 10; ++n)
        menu.Step(50);
    EXPECT_FALSE(screen.IsOpen());
    EXPECT_EQ(screen.openRequest, 0);
    EXPECT_FALSE(screen.frameWindow->visible);
}

TEST_F(GUITutorialWindowTest, ContinueWithTheBoxCheckedSwitchesTheTutorialOffOnDisk)
{
    Start();
    Mirabel::Profile& profile = Player();
    GUITutorialWindow& screen = Make();
    const auto* back = screen.backControl.get();
    const auto* go = screen.continueControl.get();
    struct Row
    {
        std::vector<const Mirabel::GUIControl*> clicked;
        bool checked;
        std::uint32_t result;
        std::uint8_t flag;
    };
    // Both clicked: CONTINUE still takes the box into account, BACK's answer wins.
    const Row rows[] = {{{back}, true, 3, 1}, {{go}, false, 13, 1}, {{go}, true, 13, 0}, {{go, back}, true, 3, 0}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(std::to_string(row.result) + (row.checked ? " checked" : ""));
        profile.tutorialFlag = 1;
        profile.Save();
        screen.Show();
        ASSERT_TRUE(OpenFully(screen));
        screen.doNotShowControl->checkBox->checked = row.checked;
        EXPECT_EQ(ClickFrame(row.clicked, [&] { return screen.result; }), row.result);
        EXPECT_EQ(FlagOnDisk(profile), row.flag);
        screen.Hide();
        ASSERT_TRUE(CloseFully(screen));
    }
}

TEST_F(GUITutorialWindowTest, TheDoNotShowLineHasItsOwnHeight)
{
    Start();
    Player();
    GUITutorialWindow& screen = Make();
    screen.Show();
    ASSERT_TRUE(OpenFully(screen));
    const auto line = WithKey(FrameTexts(*screen.frameWindow), "TUTORIAL_DO_NOT_SHOW");
    ASSERT_EQ(line.size(), 1u);
    EXPECT_FLOAT_EQ(line[0].position.x, 195.0f);
    EXPECT_FLOAT_EQ(line[0].position.y, 23.0f);
    EXPECT_FLOAT_EQ(line[0].scale, 19.0f);
    EXPECT_EQ(line[0].alignment, 0u);
}

} // namespace
} // namespace corvellan::test
