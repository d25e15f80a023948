// The stage map and its markers: the path up to the level reached, clamped
// positions saved in the profile, the openings by caller code, clicks and
// double clicks, the preview beyond the reached level, the totems, and the
// markers' states, locks and check-point look.
#include "content/MapFileWriter.h"
#include "engine/core/Engine.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "game/GameData.h"
#include "game/LevelManager.h"
#include "game/MiniGame.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
#include "game/menus/GUIMapElement.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "game/menus/GUIStartGameLogicWindow.h"
#include "game/menus/MapFile.h"
#include "tests/game/menus/MenuScreenFixture.h"
#include "tools/GUIDoubleClickDetecter.h"

#include <cmath>

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;
using content::MapFileElement;
using content::MapFileWriter;
using Mirabel::GUIMapElement;

constexpr float Marker = 20.0f;

// Six markers, 40 units apart: start, path, path | check point, path, finish.
std::vector<MapFileElement> TwoStages()
{
    std::vector<MapFileElement> elements;
    const std::uint32_t types[] = {0, 3, 3, 2, 3, 1};
    for (std::uint32_t i = 0; i < std::size(types); ++i)
        elements.push_back(MapFileWriter::At(types[i], 200.0f + 60.0f * static_cast<float>(i), 300.0f, Marker));
    return elements;
}

class GUIStageMapTest : public MenuScreenFixture
{
protected:
    void SetUp() override
    {
        MenuScreenFixture::SetUp();
        ASSERT_TRUE(menu.data.Levels({3, 3}));
        for (const char* name : {"start", "finish", "check_point", "path", "path_check_point"})
            ASSERT_TRUE(menu.data.Model(std::string("ui\\menus\\map\\models\\") + name + ".mlf", 6,
                                        {0.0f, 0.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 1.0f, 1.0f}));
        ASSERT_TRUE(menu.data.Model("ui\\menus\\models\\controls\\totem.mlf", 16, {0.0f, 0.0f, 40.0f, 100.0f},
                                    {0.0f, 0.0f, 40.0f, 100.0f}));
        ASSERT_TRUE(menu.data.Model("ui\\menus\\models\\start_game\\map.mlf", 1, {0.0f, 0.0f, 800.0f, 600.0f}));
        WriteMap(TwoStages());
        texts["MINI_GAME_TITLE"] = u"MINI_GAME_TITLE";
    }

    void WriteMap(const std::vector<MapFileElement>& elements)
    {
        ASSERT_TRUE(MapFileWriter::WriteTo(menu.data.DataPath("ui\\menus\\map\\map.gmf"), elements));
    }

    // A player who has reached (stage, level).
    Mirabel::Profile& Player(std::uint32_t stage, std::uint32_t level)
    {
        Mirabel::Profile& profile = menu.MakeCurrentProfile(u"Ann");
        profile.UpdateReachedLevel(stage, level, false);
        profile.nextStage = stage;
        profile.nextLevel = level;
        return profile;
    }

    Mirabel::GUIStartGameLogicWindow& MakeMap()
    {
        auto& map = Add(std::make_unique<Mirabel::GUIStartGameLogicWindow>(
            menu.engine, menu.sounds.get(), menu.gameData.get(), menu.manager.get(), menu.levels.get(),
            menu.profiles.get(), nullptr, nullptr));
        // Marker clicks are raised between the GUI's update and the map's.
        menu.updates.insert(menu.updates.begin(), [this] {
            if (clickMarker != nullptr)
                clickMarker->button->clicked = true;
            clickMarker = nullptr;
        });
        return map;
    }

    static std::vector<std::uint32_t> States(const Mirabel::GUIStartGameLogicWindow& map)
    {
        std::vector<std::uint32_t> states;
        for (const auto& element : map.elements)
            states.push_back(element->IsVisible() || (element->modelWindow->flags & GUIWindow::FlagShown) != 0
                                 ? element->state
                                 : 9);
        return states;
    }

    GUIMapElement* clickMarker = nullptr;
};

TEST_F(GUIStageMapTest, PositionsClampToTheReachedLevelAndAreSaved)
{
    struct Row
    {
        std::uint32_t stage;
        std::uint32_t level;
        std::uint32_t expectedStage;
        std::uint32_t expectedLevel;
        std::vector<std::uint32_t> states; // 9: hidden
    };
    // Reached: stage 1, level 1 (the fifth marker).
    const Row rows[] = {
        {2, 0, 1, 1, {1, 1, 1, 1, 3, 9}},
        {1, 2, 1, 1, {1, 1, 1, 1, 3, 9}},
        {1, 0, 1, 0, {1, 1, 1, 3, 0, 9}},
        {0, 1, 0, 1, {1, 3, 0, 0, 0, 9}},
    };
    Start();
    Mirabel::Profile& profile = Player(1, 1);
    auto& map = MakeMap();
    map.Show(0);
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.stage * 10 + row.level);
        map.SetMapPosition(row.stage, row.level);
        EXPECT_EQ(States(map), row.states);
        EXPECT_EQ(profile.nextStage, row.expectedStage);
        EXPECT_EQ(profile.nextLevel, row.expectedLevel);
        const Mirabel::Profile reread(menu.engine, profile.GetFileName(), profile.GetFolder());
        EXPECT_EQ(reread.nextStage, row.expectedStage);
        EXPECT_EQ(reread.nextLevel, row.expectedLevel);
        // The current path marker, and only it, looks like a check point.
        for (const auto& element : map.elements)
            EXPECT_EQ(element->checkPointLook,
                      element->type == 3 && element->state == GUIMapElement::StateCurrent)
                << element->stage << "," << element->index;
    }
}

TEST_F(GUIStageMapTest, CallerCodesDecideWhetherTheMapOpens)
{
    Start();
    Mirabel::Profile& profile = Player(0, 1);
    auto& map = MakeMap();
    struct Row
    {
        std::uint32_t code;
        bool inProgress;
        std::uint32_t atOnce; // the next update's answer; 0: the map opens
        bool relax;
        std::uint32_t start;
    };
    const Row rows[] = {{13, false, 23, false, 0}, {8, false, 23, false, 0}, {6, false, 23, false, 0},
                        {7, true, 23, false, 0},   {7, false, 0, true, 23},  {2, false, 0, true, 27},
                        {0, false, 0, false, 23}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(std::to_string(row.code) + (row.inProgress ? " in progress" : ""));
        profile.gameInProgress = row.inProgress;
        map.Show(row.code);
        EXPECT_EQ(ClickFrame({}, [&] { return map.result; }), row.atOnce);
        if (row.atOnce != 0)
        {
            EXPECT_EQ(ClickFrame({}, [&] { return map.result; }), 0u);
            EXPECT_FALSE(map.IsOpen());
            map.Hide();
            continue;
        }
        ASSERT_TRUE(OpenFully(map));
        EXPECT_EQ(map.relaxControl->checkBox->IsEnabled(), row.relax);
        const auto labels = WithKey(FrameTexts(*map.frameWindow), "START_GAME_RELAX_MODE");
        EXPECT_EQ(labels.size(), row.relax ? 1u : 0u);
        if (!labels.empty())
        {
            EXPECT_FLOAT_EQ(labels[0].position.x, 195.0f);
            EXPECT_FLOAT_EQ(labels[0].scale, 19.0f);
        }
        EXPECT_EQ(ClickFrame({map.startControl.get()}, [&] { return map.result; }), row.start);
        map.Hide();
        ASSERT_TRUE(CloseFully(map));
    }
}

TEST_F(GUIStageMapTest, ClickingAnEarlierMarkerMovesThereAndADoubleClickStarts)
{
    Start();
    Mirabel::Profile& profile = Player(1, 1);
    auto& map = MakeMap();
    map.Show(0);
    ASSERT_TRUE(OpenFully(map));
    std::vector<std::uint32_t> states = States(map);
    EXPECT_EQ(std::vector<std::uint32_t>(states.begin(), states.begin() + 5),
              (std::vector<std::uint32_t>{1, 1, 1, 1, 3}));

    clickMarker = map.elements[1].get();
    EXPECT_EQ(ClickFrame({}, [&] { return map.result; }), 0u);
    states = States(map);
    EXPECT_EQ(std::vector<std::uint32_t>(states.begin(), states.begin() + 5),
              (std::vector<std::uint32_t>{1, 3, 0, 0, 0}));
    EXPECT_EQ(Mirabel::Profile(menu.engine, profile.GetFileName(), profile.GetFolder()).nextLevel, 1u);

    // A double click on a passed marker: the first click moves there, the second starts.
    std::uint32_t answer = RealClickAt(*map.elements[0]->button, [&] { return map.result; });
    EXPECT_EQ(answer, 0u);
    EXPECT_EQ(map.elements[0]->state, GUIMapElement::StateCurrent);
    const Vector2 middle = Middle(*map.elements[0]->button);
    menu.MoveTo(static_cast<std::int32_t>(middle.x), static_cast<std::int32_t>(middle.y));
    menu.Press(true);
    menu.Step(20);
    menu.Press(false);
    answer = ClickFrame({}, [&] { return map.result; });
    EXPECT_EQ(answer, 23u);
}

TEST_F(GUIStageMapTest, PreviewShowsTheStepsBeyondTheReachedLevelOverAndOver)
{
    Start();
    Player(0, 0);
    auto& map = MakeMap();
    map.Show(0);
    ASSERT_TRUE(OpenFully(map));
    std::vector<float> seen;
    bool restarted = false;
    float lastClock = 0.0f;
    for (int n = 0; n < 120; ++n)
    {
        menu.Step(25);
        const float clock = map.introClock;
        if (clock < lastClock)
            restarted = true;
        lastClock = clock;
        if (restarted)
            continue;
        // Markers 1, 2 (path) and 3 (the check point that ends the walk).
        for (std::size_t k = 0; k < 3; ++k)
        {
            const float t = clock - 0.15f * static_cast<float>(k);
            if (t < 0.0001f)
                continue;
            const GUIMapElement& element = *map.elements[k + 1];
            ASSERT_TRUE(element.IsVisible()) << clock << " " << k;
            EXPECT_EQ(element.state, GUIMapElement::StateUnavailable);
            float alpha = std::min(t / 0.3f, 1.0f);
            if (const float back = t - 0.6f; back >= 0.0f && clock >= 0.6f)
                alpha = back <= 0.3f ? 1.0f - back / 0.3f : 0.0f;
            EXPECT_NEAR(element.modelWindow->GetColor().a, alpha, 1.5f / 255.0f) << clock << " " << k;
        }
        EXPECT_FALSE(map.elements[4]->IsVisible());
    }
    EXPECT_TRUE(restarted);
}

TEST_F(GUIStageMapTest, AMapWithoutTheReachedMarkerShowsNoPreviewAndSaysSoOnce)
{
    // Stage 0 holds only the start marker on this map, but the player has reached its third level.
    WriteMap({MapFileWriter::At(0, 200, 300, Marker), MapFileWriter::At(2, 260, 300, Marker),
              MapFileWriter::At(3, 320, 300, Marker), MapFileWriter::At(1, 380, 300, Marker)});
    Start();
    Player(0, 2);
    auto& map = MakeMap();
    map.Show(0);
    ASSERT_TRUE(OpenFully(map));
    for (int n = 0; n < 40; ++n)
        menu.Step(25);
    for (std::size_t i = 1; i < map.elements.size(); ++i)
        EXPECT_NE(map.elements[i]->state, GUIMapElement::StateUnavailable) << i;
    StopAll();
    const std::string log = menu.LogText();
    EXPECT_NE(log.find("do not match the level lists"), std::string::npos);
    const std::string line = "no marker for the level reached";
    const auto first = log.find(line);
    EXPECT_NE(first, std::string::npos);
    EXPECT_EQ(log.find(line, first + 1), std::string::npos);
}

TEST_F(GUIStageMapTest, CompletedStagesTotemsFadeInAtTwoPerSecond)
{
    Start();
    Player(1, 0);
    auto& map = MakeMap();
    map.Show(0);
    // The stage done shows at once; after a change of stage the totem fades in.
    EXPECT_FLOAT_EQ(map.totemAlphas[0], 1.0f);
    EXPECT_FLOAT_EQ(map.totemAlphas[1], 0.0f);
    ASSERT_TRUE(OpenFully(map));
    map.totemAlphas[0] = 0.0f;
    menu.Step(100);
    EXPECT_NEAR(map.totemAlphas[0], 0.2f, 1e-4f);
    menu.Step(100);
    EXPECT_NEAR(map.totemAlphas[0], 0.4f, 1e-4f);
    EXPECT_FLOAT_EQ(map.totemAlphas[1], 0.0f);
    // Back totem frames 2s + 1, front 2s.
    EXPECT_EQ(map.backTotems[3]->model->GetAnimationControl()->time, 7.0f);
    EXPECT_EQ(map.frontTotems[3]->model->GetAnimationControl()->time, 6.0f);
}

TEST_F(GUIStageMapTest, AMapOfMoreStagesThanTotemsWarnsOnce)
{
    std::vector<MapFileElement> elements{MapFileWriter::At(0, 10, 10, Marker)};
    for (int i = 0; i < 9; ++i)
        elements.push_back(MapFileWriter::At(2, 10.0f + 30.0f * static_cast<float>(i + 1), 10, Marker));
    WriteMap(elements);
    Start();
    auto& map = MakeMap();
    EXPECT_EQ(map.stageCount, 9u);
    StopAll();
    const std::string log = menu.LogText();
    const auto first = log.find("only 8 have a totem");
    EXPECT_NE(first, std::string::npos);
    EXPECT_EQ(log.find("only 8 have a totem", first + 1), std::string::npos);
}

TEST_F(GUIStageMapTest, AfterAStageTheMiniGameOfThatStagePlaysOverLockedMarkers)
{
    Start();
    Mirabel::Profile& profile = Player(1, 0);
    auto& map = MakeMap();
    struct Row
    {
        std::uint32_t stage;
        std::uint32_t level;
        std::uint32_t miniGameStage;
    };
    // The position has moved on to the next stage; at the game's last level
    // it stays; at the very first level there is no stage before to go back to.
    for (const Row& row : {Row{1, 0, 0}, Row{1, 2, 1}, Row{0, 0, 0}})
    {
        SCOPED_TRACE(row.stage * 10 + row.level);
        profile.UpdateReachedLevel(row.stage, row.level, false);
        profile.nextStage = row.stage;
        profile.nextLevel = row.level;
        map.Show(9);
        EXPECT_EQ(map.GetTitle(), u"MINI_GAME_TITLE");
        EXPECT_TRUE(map.miniGame->running);
        EXPECT_EQ(map.miniGame->GetStage(), row.miniGameStage);
        EXPECT_FLOAT_EQ(map.totemAlphas[row.miniGameStage], 0.0f);
        EXPECT_FALSE(map.relaxControl->checkBox->IsEnabled());
        for (int n = 0; n < 30; ++n)
            menu.Step(50);
        for (const auto& element : map.elements)
        {
            EXPECT_TRUE(element->locked);
            EXPECT_FALSE(element->button->IsEnabled());
            if (element->IsVisible())
            {
                EXPECT_EQ(element->modelWindow->GetColor().a, 0.0f);
            }
        }
        map.Hide();
        ASSERT_TRUE(CloseFully(map));
    }
}

TEST_F(GUIStageMapTest, AStageBeforeALastStageOfOneLevelPlaysItsOwnMiniGame)
{
    // Two stages of one level: the position after the first stage is the
    // game's last level, whether or not that level has been won.
    ASSERT_TRUE(menu.data.Levels({1, 1}));
    WriteMap({MapFileWriter::At(0, 200.0f, 300.0f, Marker), MapFileWriter::At(2, 260.0f, 300.0f, Marker)});
    Start();
    Mirabel::Profile& profile = Player(1, 0);
    auto& map = MakeMap();
    struct Row
    {
        bool inProgress;
        std::uint32_t miniGameStage;
    };
    for (const Row& row : {Row{true, 0}, Row{false, 1}})
    {
        SCOPED_TRACE(row.inProgress ? "first stage won" : "last level won");
        profile.gameInProgress = row.inProgress;
        map.Show(9);
        EXPECT_TRUE(map.miniGame->running);
        EXPECT_EQ(map.miniGame->GetStage(), row.miniGameStage);
        map.Hide();
        ASSERT_TRUE(CloseFully(map));
    }
}

class GUIMapElementTest : public GUIStageMapTest
{
protected:
    std::unique_ptr<GUIMapElement> Make(std::uint32_t type)
    {
        Matrix4 matrix;
        const MapFileElement at = MapFileWriter::At(type, 300, 300, Marker);
        std::copy(at.matrix.begin(), at.matrix.end(), matrix.m);
        auto element = std::make_unique<GUIMapElement>(menu.engine, menu.gameData.get(), detecter.get(), type, matrix,
                                                       0, 1, parent);
        menu.updates.push_back([this] { detecter->Update(); });
        return element;
    }

    void StartElements()
    {
        Start();
        detecter = std::make_unique<GameTools::GUIDoubleClickDetecter>(menu.engine);
        parent = menu.engine->guiManager->CreateWindow(1, Vector2(0, 0), Vector2(1, 1), static_cast<const Model*>(nullptr),
                                                       nullptr);
    }

    void TearDown() override
    {
        menu.updates.clear();
        detecter.reset();
        if (parent != nullptr)
            menu.engine->guiManager->ReleaseWindow(parent);
        StopAll();
    }

    static float Frame(const GUIWindow* window) { return window->model->GetAnimationControl()->time; }

    std::unique_ptr<GameTools::GUIDoubleClickDetecter> detecter;
    GUIWindow* parent = nullptr;
};

TEST_F(GUIMapElementTest, StatesLocksAndVisibility)
{
    StartElements();
    auto element = Make(3);
    element->SetVisible(true);
    EXPECT_EQ(Frame(element->shadowWindow), 5.0f);
    struct Row
    {
        const char* what;
        std::function<void()> act;
        bool enabled;
        float alpha;
        float frame;
    };
    const Row rows[] = {
        {"current", [&] { element->SetAlpha(0.5f); element->SetState(3); }, true, 1.0f, 3.0f},
        {"unavailable", [&] { element->SetAlpha(0.5f); element->SetState(4); }, false, 0.5f, 4.0f},
        {"locked, passed", [&] { element->Lock(); element->SetState(1); }, false, 1.0f, 1.0f},
        {"shown after a lock", [&] { element->Lock(); element->SetVisible(true); }, true, 1.0f, 1.0f},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.what);
        row.act();
        EXPECT_EQ(element->button->IsEnabled(), row.enabled);
        EXPECT_NEAR(element->modelWindow->GetColor().a, row.alpha, 1.0f / 255.0f);
        EXPECT_EQ(Frame(element->modelWindow), row.frame);
    }
}

TEST_F(GUIMapElementTest, DoubleClicksCountUnlessLockedOutsideTheCurrentStateOrUnavailable)
{
    StartElements();
    auto element = Make(0);
    element->SetVisible(true);
    struct Row
    {
        bool lock;
        std::uint32_t state;
        bool answers;
    };
    for (const Row& row : {Row{true, 3, true}, Row{true, 1, false}, Row{false, 4, false}, Row{false, 1, true}})
    {
        SCOPED_TRACE(std::to_string(row.state) + (row.lock ? " locked" : ""));
        element->SetVisible(true);
        element->SetState(row.state);
        if (row.lock)
            element->Lock();
        // A locked or unavailable button takes no click; the detecter still sees the presses.
        menu.Step(700);
        const Vector2 middle = Middle(*element->button);
        menu.MoveTo(static_cast<std::int32_t>(middle.x), static_cast<std::int32_t>(middle.y));
        bool answered = false;
        for (int n = 0; n < 2; ++n)
        {
            menu.Step(20);
            menu.Press(true);
            menu.Step(20);
            menu.Press(false);
            menu.Update(20);
            answered = answered || element->IsDoubleClicked();
            menu.Render();
        }
        EXPECT_EQ(answered, row.answers);
    }
}

TEST_F(GUIMapElementTest, CheckPointSwapRebuildsOnceAndKeepsTheButtonUnderTheMap)
{
    StartElements();
    auto element = Make(3);
    element->SetVisible(true);
    element->SetState(3);
    element->SetAlpha(0.6f);
    menu.Step(20);
    element->SetCheckPointModel(true);
    const GUIWindow* rebuilt = element->modelWindow;
    element->SetCheckPointModel(true);
    EXPECT_EQ(element->modelWindow, rebuilt);
    EXPECT_EQ(element->modelWindow->model->GetShaderUser() != nullptr, true);
    EXPECT_NE(element->modelWindow->flags & GUIWindow::FlagShown, 0u);
    EXPECT_NEAR(element->modelWindow->GetColor().a, 0.6f, 1.0f / 255.0f);
    EXPECT_EQ(Frame(element->modelWindow), 3.0f);
    EXPECT_EQ(element->button->parent, element->modelWindow);

    // Hiding the map hides the marker's button with it: a click where it stood does nothing.
    parent->ClearFlags(GUIWindow::FlagShown);
    menu.Step(20);
    EXPECT_FALSE(element->button->visible);
    const Vector2 middle = Middle(*element->button);
    menu.MoveTo(static_cast<std::int32_t>(middle.x), static_cast<std::int32_t>(middle.y));
    menu.Step(20);
    menu.Press(true);
    menu.Step(20);
    menu.Press(false);
    menu.Update(20);
    EXPECT_FALSE(element->IsClicked());
    menu.Render();
}

} // namespace
} // namespace corvellan::test
