#include "engine/core/Config.h"
#include "engine/core/Controls.h"
#include "engine/core/Engine.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"
#include "framework/GUIGameCursorBase.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "platform/win32/testing/WindowHooks.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>

using GameFramework::GUIGameCursorBase;
using OrvaneEngine::GUICursor;

namespace
{

constexpr std::uint32_t normal = 0;
constexpr std::uint32_t tip = 1;
constexpr std::uint32_t magnet = 2;

// The window stand-in's own pictures.
constexpr std::uint16_t normalPicture = 1000;
constexpr std::uint16_t tipPicture = 107;
constexpr std::uint16_t magnetPicture = 106;

class GUIGameCursorBaseTest : public corvellan::test::EngineTestFixture
{
protected:
    void SetUp() override
    {
        win32::testing::SetFakeMilliseconds(1000);
        Start();
        cursor = std::make_unique<GUIGameCursorBase>(engine.get());
    }

    void TearDown() override
    {
        cursor.reset();
        Stop();
        win32::testing::ResetMultimediaTimer();
    }

    GUICursor* MakeCustom() { return engine->guiManager->CreateCursorFromModel(nullptr); }

    // The three kinds of the game, each with a custom cursor.
    void AddKinds()
    {
        custom[normal] = MakeCustom();
        custom[tip] = MakeCustom();
        custom[magnet] = MakeCustom();
        cursor->AddCursor(normal, normalPicture, custom[normal]);
        cursor->AddCursor(tip, tipPicture, custom[tip]);
        cursor->AddCursor(magnet, magnetPicture, custom[magnet]);
    }

    void Frame()
    {
        win32::testing::AdvanceFakeMilliseconds(100);
        engine->Update();
        cursor->Update();
        engine->Frame(0);
    }

    bool SystemCursorShown() const { return win32::testing::GetDisplayCounter() >= 0; }

    bool Registered(const GUICursor* candidate) const
    {
        const auto& objects = engine->guiManager->GetCursors().GetObjects();
        return std::find(objects.begin(), objects.end(), candidate) != objects.end();
    }

    std::size_t CursorCount() const
    {
        const auto& objects = engine->guiManager->GetCursors().GetObjects();
        return static_cast<std::size_t>(
            std::count_if(objects.begin(), objects.end(), [](const GUICursor* c) { return c != nullptr; }));
    }

    std::unique_ptr<GUIGameCursorBase> cursor;
    GUICursor* custom[3] = {};
};

TEST_F(GUIGameCursorBaseTest, StartsHiddenWithCustomCursorsOn)
{
    EXPECT_TRUE(cursor->AreCustomCursorsOn());
    EXPECT_EQ(engine->config->GetDefaultText("ui_custom_cursor"), "1");
    EXPECT_FALSE(engine->controls->IsCursorVisible());
    EXPECT_FALSE(SystemCursorShown());
    EXPECT_FALSE(cursor->IsVisible());
}

TEST_F(GUIGameCursorBaseTest, KindsLoadTheirPicturesAndStartHidden)
{
    GUICursor* shown = MakeCustom();
    shown->visible = true;
    cursor->AddCursor(normal, normalPicture, shown);
    EXPECT_FALSE(shown->visible);
    custom[tip] = MakeCustom();
    custom[magnet] = MakeCustom();
    cursor->AddCursor(tip, tipPicture, custom[tip]);
    cursor->AddCursor(magnet, magnetPicture, custom[magnet]);

    const struct
    {
        std::uint32_t kind;
        std::uint16_t picture;
    } kinds[] = {{tip, tipPicture}, {magnet, magnetPicture}, {normal, normalPicture}};
    for (const auto& row : kinds)
    {
        SCOPED_TRACE(row.kind);
        cursor->SetCursorKind(row.kind);
        EXPECT_EQ(cursor->GetCursorKind(), row.kind);
        EXPECT_EQ(win32::testing::GetCurrentCursorId(), row.picture);
    }
}

TEST_F(GUIGameCursorBaseTest, KindChangesMoveTheVisibleCursor)
{
    AddKinds();
    cursor->SetCursorKind(normal);
    cursor->SetVisible(true);
    EXPECT_TRUE(custom[normal]->visible);
    EXPECT_TRUE(cursor->IsVisible());
    EXPECT_FALSE(SystemCursorShown()) << "the custom cursor stands in for it";

    cursor->SetCursorKind(tip);
    EXPECT_FALSE(custom[normal]->visible);
    EXPECT_TRUE(custom[tip]->visible);
    EXPECT_EQ(win32::testing::GetCurrentCursorId(), tipPicture);

    // The same kind again changes nothing, even when made visible by hand.
    custom[normal]->visible = true;
    cursor->SetCursorKind(tip);
    EXPECT_TRUE(custom[normal]->visible);
    EXPECT_TRUE(custom[tip]->visible);
    custom[normal]->visible = false;

    // Hidden, a kind change shows nothing.
    cursor->SetVisible(false);
    cursor->SetCursorKind(magnet);
    EXPECT_FALSE(custom[magnet]->visible);
    EXPECT_FALSE(cursor->IsVisible());
    EXPECT_EQ(win32::testing::GetCurrentCursorId(), magnetPicture);

    // A kind without a record changes only the kind.
    cursor->SetVisible(true);
    cursor->SetCursorKind(7);
    EXPECT_EQ(cursor->GetCursorKind(), 7u);
    EXPECT_TRUE(custom[magnet]->visible);
    EXPECT_EQ(win32::testing::GetCurrentCursorId(), magnetPicture);
}

TEST_F(GUIGameCursorBaseTest, TheVariableSwitchesCustomCursorsFromTheNextFrame)
{
    AddKinds();
    cursor->SetCursorKind(normal);
    cursor->SetVisible(true);
    Frame();
    ASSERT_TRUE(custom[normal]->visible);

    ASSERT_EQ(engine->config->Execute("ui_custom_cursor 0"), OrvaneEngine::Config::ExecuteDone);
    EXPECT_TRUE(custom[normal]->visible) << "not before the next frame";
    Frame();
    EXPECT_FALSE(cursor->AreCustomCursorsOn());
    EXPECT_FALSE(custom[normal]->visible);
    EXPECT_TRUE(SystemCursorShown());
    EXPECT_TRUE(cursor->IsVisible());

    // Without custom cursors the system cursor takes the kind changes.
    cursor->SetCursorKind(tip);
    EXPECT_FALSE(custom[tip]->visible);
    EXPECT_TRUE(SystemCursorShown());
    EXPECT_EQ(win32::testing::GetCurrentCursorId(), tipPicture);

    ASSERT_EQ(engine->config->Execute("ui_custom_cursor 1"), OrvaneEngine::Config::ExecuteDone);
    Frame();
    EXPECT_TRUE(cursor->AreCustomCursorsOn());
    EXPECT_TRUE(custom[tip]->visible);
    EXPECT_FALSE(SystemCursorShown());
}

TEST_F(GUIGameCursorBaseTest, HiddenCursorLeavesTheVariableForLater)
{
    AddKinds();
    cursor->SetCursorKind(normal);
    Frame();
    ASSERT_EQ(engine->config->Execute("ui_custom_cursor 0"), OrvaneEngine::Config::ExecuteDone);
    win32::testing::AdvanceFakeMilliseconds(100);
    engine->Update();
    EXPECT_FALSE(cursor->Update());
    EXPECT_TRUE(cursor->AreCustomCursorsOn());
    engine->Frame(0);
}

TEST_F(GUIGameCursorBaseTest, KindWithoutCustomCursorUsesTheSystemCursor)
{
    AddKinds();
    cursor->AddCursor(3, normalPicture, nullptr);
    cursor->SetCursorKind(normal);
    cursor->SetVisible(true);

    cursor->SetCursorKind(3);
    EXPECT_FALSE(custom[normal]->visible);
    EXPECT_TRUE(cursor->IsVisible());
    EXPECT_TRUE(SystemCursorShown());

    cursor->SetVisible(false);
    EXPECT_FALSE(cursor->IsVisible());
    EXPECT_FALSE(SystemCursorShown());
    cursor->SetVisible(true);
    Frame();

    cursor->SetCursorKind(tip);
    EXPECT_TRUE(custom[tip]->visible);
    EXPECT_FALSE(SystemCursorShown());
}

TEST_F(GUIGameCursorBaseTest, SecondCursorForTheCurrentKindTakesOver)
{
    AddKinds();
    cursor->SetCursorKind(tip);
    cursor->SetVisible(true);
    const std::size_t count = CursorCount();

    GUICursor* replacement = MakeCustom();
    cursor->AddCursor(tip, tipPicture, replacement);
    EXPECT_FALSE(Registered(custom[tip])) << "the first cursor of the kind is released";
    EXPECT_EQ(CursorCount(), count);
    EXPECT_TRUE(replacement->visible);
    EXPECT_TRUE(cursor->IsVisible());
    cursor->SetVisible(false);
    EXPECT_FALSE(replacement->visible);

    // Another kind's record is replaced quietly.
    GUICursor* other = MakeCustom();
    cursor->AddCursor(magnet, magnetPicture, other);
    EXPECT_FALSE(Registered(custom[magnet]));
    EXPECT_FALSE(other->visible);
}

TEST_F(GUIGameCursorBaseTest, DestructionReleasesCustomCursorsAndKeepsTheVariablesText)
{
    const std::size_t before = CursorCount();
    AddKinds();
    cursor->AddCursor(3, normalPicture, nullptr);
    EXPECT_EQ(CursorCount(), before + 3);
    ASSERT_EQ(engine->config->Execute("ui_custom_cursor 0"), OrvaneEngine::Config::ExecuteDone);
    cursor.reset();
    EXPECT_EQ(CursorCount(), before);
    EXPECT_EQ(engine->config->GetValueText("ui_custom_cursor"), "0");

    cursor = std::make_unique<GUIGameCursorBase>(engine.get());
    EXPECT_FALSE(cursor->AreCustomCursorsOn()) << "the next cursor binds the kept value";
}

} // namespace
