// Animated controls built from fixture models of known boxes.
#include "engine/core/Engine.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUITextManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "tests/support/MenuHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace corvellan::test
{
namespace
{

using namespace OrvaneEngine;
using Mirabel::GUIControl;

const std::string Folder = "ui\\menus\\models\\test\\";

class GUIControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(menu.data.WriteDefault());
        // The animation ends where the widget model stands.
        ASSERT_TRUE(menu.data.Model(Folder + "anim_1.mlf", 1, {250, 250, 350, 290}));
        ASSERT_TRUE(menu.data.Model(Folder + "anim_24.mlf", 24, {250, 250, 350, 290}, {300, 300, 400, 340}));
        ASSERT_TRUE(menu.data.Model(Folder + "widget.mlf", 24, {300, 300, 400, 340}));
        ASSERT_TRUE(menu.data.Model(Folder + "hit.mlf", 1, {310, 305, 390, 335}));
    }

    void Start()
    {
        menu.Start(false);
        menu.LoadGameData();
        anim1.reset(Load("anim_1.mlf"));
        anim24.reset(Load("anim_24.mlf"));
        widget.reset(Load("widget.mlf"));
        hit.reset(Load("hit.mlf"));
    }

    Model* Load(const std::string& name) { return menu.engine->modelManager->LoadModelResource(Folder + name); }

    std::unique_ptr<GUIControl> Make(std::uint32_t kind, const Model* animation, const Model* widgetModel,
                                     const Model* hitArea = nullptr)
    {
        return std::make_unique<GUIControl>(menu.engine, menu.gameData.get(), kind, animation, widgetModel, hitArea,
                                            nullptr, nullptr);
    }

    void Drive(GUIControl& control, float alpha = 1.0f)
    {
        control.color = Color(1.0f, 1.0f, 1.0f, alpha);
        menu.updates.assign(1, [&control] { control.Update(); });
    }

    MenuHarness menu;
    std::unique_ptr<Model> anim1;
    std::unique_ptr<Model> anim24;
    std::unique_ptr<Model> widget;
    std::unique_ptr<Model> hit;
};

TEST_F(GUIControlTest, ConstructionFollowsTheKindAndTheAnimationsFrameCount)
{
    Start();
    struct Row
    {
        std::uint32_t kind;
        std::uint32_t frames;
        bool animationWindow;
        std::uint32_t flags;
    };
    const Row rows[] = {{0, 1, false, 2},  {0, 24, true, 0},  {1, 1, false, 2}, {1, 24, true, 0},
                        {2, 1, false, 2},  {2, 24, false, 2}, {3, 1, false, 2}, {3, 24, false, 2},
                        {4, 1, false, 2},  {4, 24, true, 2},  {5, 1, false, 3}, {5, 24, false, 3}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE("kind " + std::to_string(row.kind) + ", " + std::to_string(row.frames) + " frames");
        auto control = Make(row.kind, row.frames == 1 ? anim1.get() : anim24.get(), widget.get(), hit.get());
        ASSERT_NE(control->widget, nullptr);
        EXPECT_EQ(control->animationWindow != nullptr, row.animationWindow);
        EXPECT_EQ(control->widget->flags & 3u, row.flags);
        EXPECT_EQ(control->button != nullptr, row.kind == 1);
        EXPECT_EQ(control->scroll != nullptr, row.kind == 2 || row.kind == 3);
        EXPECT_EQ(control->checkBox != nullptr, row.kind == 4);
        EXPECT_EQ(control->editBox != nullptr, row.kind == 5);
        EXPECT_FLOAT_EQ(control->offset.x, 300.0f);
        EXPECT_FLOAT_EQ(control->offset.y, 300.0f);
        EXPECT_TRUE(control->widget->customHitRect);
        EXPECT_FLOAT_EQ(control->widget->hitRectOrigin.x, 310.0f);
        EXPECT_FLOAT_EQ(control->widget->hitRectSize.y, 30.0f);
        if (row.animationWindow)
        {
            const AnimationControl& animation = *control->animationWindow->model->GetAnimationControl();
            EXPECT_FLOAT_EQ(animation.speed, GUIControl::DefaultSpeed);
            EXPECT_FALSE(animation.repeat);
            EXPECT_EQ(row.kind == 0, control->animationWindow == control->widget);
        }
        else if (control->widget->autoFit)
        {
            EXPECT_FLOAT_EQ(control->widget->position.x, -50.0f);
            EXPECT_FLOAT_EQ(control->widget->position.y, -50.0f);
        }
        else
        {
            // The scroll bars move their model through the matrix's translation
            // (its bottom row stays 0 0 0 1), and their window for the thumb
            // and the step buttons.
            EXPECT_FLOAT_EQ(control->widget->position.x, -50.0f);
            EXPECT_FLOAT_EQ(control->widget->position.y, -50.0f);
            const float* m = control->widget->model->worldMatrix.m;
            EXPECT_FLOAT_EQ(m[3], -50.0f);
            EXPECT_FLOAT_EQ(m[7], -50.0f);
            EXPECT_FLOAT_EQ(m[12], 0.0f);
            EXPECT_FLOAT_EQ(m[13], 0.0f);
            EXPECT_FLOAT_EQ(m[15], 1.0f);
        }
        if (row.kind == 0)
        {
            // The picture's own model was posed once at its last frame and hidden again.
            const AnimationControl& pose = *control->widget->model->GetAnimationControl();
            EXPECT_NEAR(pose.time, 23.0f - 0.0001f, 1e-4f);
            EXPECT_EQ(control->widget->model->GetFlags() & Model::FlagVisible, 0u);
        }
    }
}

TEST_F(GUIControlTest, AButtonAppearsWhereItsAnimationEndsAndVanishesWhenTheReverseEnds)
{
    Start();
    ASSERT_TRUE(menu.data.Model(Folder + "late.mlf", 24, {250, 250, 350, 290}, {320, 310, 420, 350}));
    std::unique_ptr<Model> late(Load("late.mlf"));
    auto control = Make(GUIControl::Button, late.get(), widget.get());
    Drive(*control);
    EXPECT_FALSE(control->IsVisible());
    control->Appear();
    EXPECT_TRUE(control->IsAppearing());
    int frames = 0;
    while (control->IsAppearing() && frames < 100)
    {
        EXPECT_FALSE(control->button->visible) << frames;
        menu.Step(50);
        ++frames;
    }
    // 23 frames at 32 per second.
    EXPECT_EQ(frames, static_cast<int>(std::ceil(23.0 / 32.0 / 0.05)));
    menu.Step(50);
    EXPECT_TRUE(control->button->visible);
    EXPECT_FALSE(control->animationWindow->visible);
    EXPECT_NEAR(control->button->position.x, 20.0f, 1e-3f);
    EXPECT_NEAR(control->button->position.y, 10.0f, 1e-3f);

    control->Disappear();
    EXPECT_FALSE(control->button->visible);
    int vanished = -1;
    bool stopped = false;
    for (int n = 0; n < 40 && vanished < 0; ++n)
    {
        menu.Step(50);
        const AnimationControl& animation = *control->animationWindow->model->GetAnimationControl();
        if (stopped)
        {
            // Hidden by the first update after the reverse animation stopped.
            EXPECT_FALSE(control->IsVisible());
            vanished = n;
        }
        else
            EXPECT_TRUE(control->IsVisible()) << n;
        stopped = !animation.IsPlaying();
    }
    EXPECT_GE(vanished, 0);
}

TEST_F(GUIControlTest, AMainMenuButtonRidesAlongAndStaysVisible)
{
    Start();
    const Model* mainMenu = menu.gameData->buttonMainMenu;
    ASSERT_NE(mainMenu, nullptr);
    auto control = Make(GUIControl::Button, anim24.get(), mainMenu);
    EXPECT_EQ(control->keepWithModel, 1);
    Drive(*control);
    control->Appear();
    EXPECT_TRUE(control->button->visible);
    const Vector2 button = GUIControl::GetModelPosition(mainMenu);
    for (int n = 0; n < 20; ++n)
    {
        // The update follows the box the last render left.
        const Vector2 place = GUIControl::GetModelPosition(control->animationWindow->model);
        menu.Step(50);
        EXPECT_NEAR(control->button->position.x, place.x - button.x, 1e-3f) << n;
        EXPECT_NEAR(control->button->position.y, place.y - button.y, 1e-3f) << n;
    }
    control->Disappear();
    for (int n = 0; n < 30; ++n)
        menu.Step(50);
    EXPECT_TRUE(control->button->visible);
    EXPECT_FALSE(control->animationWindow->visible);
}

TEST_F(GUIControlTest, ScrollBarsArePlacedFromTheirThumbModels)
{
    Start();
    auto horizontal = Make(GUIControl::ScrollHorizontal, menu.gameData->scrollH, menu.gameData->scrollH);
    GUIScroll& scroll = *horizontal->scroll;
    EXPECT_FLOAT_EQ(scroll.trackStart.x, 0.0f);
    EXPECT_FLOAT_EQ(scroll.trackStart.y, 0.0f);
    EXPECT_FLOAT_EQ(scroll.trackEnd.x, 180.0f);
    EXPECT_FLOAT_EQ(scroll.trackEnd.y, 0.0f);
    EXPECT_FALSE(scroll.autoFit);
    EXPECT_EQ(scroll.level, 2);
    ASSERT_NE(scroll.GetDecreaseButton(), nullptr);
    ASSERT_NE(scroll.GetIncreaseButton(), nullptr);
    EXPECT_EQ(scroll.GetDecreaseButton()->level, -1);
    EXPECT_EQ(scroll.GetIncreaseButton()->level, -1);
    EXPECT_FLOAT_EQ(scroll.GetDecreaseButton()->position.x, 60.0f);
    EXPECT_FLOAT_EQ(scroll.GetIncreaseButton()->position.x, 320.0f);
    EXPECT_FLOAT_EQ(scroll.GetIncreaseButton()->position.y, 200.0f);
    const GUIButton& thumb = *scroll.GetThumb();
    EXPECT_TRUE(thumb.customHitRect);
    EXPECT_FLOAT_EQ(thumb.hitRectOrigin.x, 100.0f);
    EXPECT_FLOAT_EQ(thumb.hitRectSize.x, 200.0f);

    // A press at the far end of the span grabs the thumb.
    Drive(*horizontal);
    menu.Step(50);
    menu.MoveTo(298, 210);
    menu.Step(50);
    menu.Press(true);
    menu.Step(50);
    EXPECT_TRUE(scroll.IsDragging());
    menu.Press(false);
    menu.Step(50);

    auto vertical = Make(GUIControl::ScrollVertical, menu.gameData->scrollV, menu.gameData->scrollV);
    EXPECT_FLOAT_EQ(vertical->scroll->trackEnd.x, 0.0f);
    EXPECT_FLOAT_EQ(vertical->scroll->trackEnd.y, 180.0f);
    // Down arrow at the "decrease" place model, up arrow at the "increase" one.
    EXPECT_FLOAT_EQ(vertical->scroll->GetIncreaseButton()->position.y, 60.0f);
    EXPECT_FLOAT_EQ(vertical->scroll->GetDecreaseButton()->position.y, 320.0f);
}

TEST_F(GUIControlTest, TheNameBoxNeverOutgrowsTheWelcomeLine)
{
    struct Row
    {
        float areaWidth;
    };
    for (const Row row : {Row{400.0f}, Row{150.0f}})
    {
        SCOPED_TRACE(row.areaWidth);
        MenuHarness harness;
        ASSERT_TRUE(harness.data.WriteDefault());
        ASSERT_TRUE(harness.data.Model("ui\\menus\\models\\background\\text_area.mlf", 1,
                                       {100.0f, 20.0f, 100.0f + row.areaWidth, 60.0f}));
        harness.Start(false);
        harness.LoadGameData();
        GUIControl control(harness.engine, harness.gameData.get(), GUIControl::EditBox, nullptr,
                           harness.gameData->smallWindowEdit, nullptr, nullptr, nullptr);
        const GUIFont& font = *harness.engine->guiManager->GetFontManager()->GetFont(1);
        const float welcome = font.MeasureText(u"Welcome, !", 0.0f).x;
        const float glyph = font.MeasureText(u"m", 0.0f).x;
        const float limit = row.areaWidth - welcome + 25.0f;
        const auto fitting = std::min<std::size_t>(20, static_cast<std::size_t>(std::floor(limit / glyph)));
        control.editBox->SetText(std::u16string(fitting - 1, u'm'));
        EXPECT_TRUE(control.editBox->CanAppend(u'm'));
        control.editBox->SetText(std::u16string(fitting, u'm'));
        EXPECT_FALSE(control.editBox->CanAppend(u'm'));
    }
}

TEST_F(GUIControlTest, ADisabledControlStaysAsItWas)
{
    Start();
    auto animated = Make(GUIControl::Button, anim24.get(), widget.get());
    auto plain = Make(GUIControl::Button, anim1.get(), widget.get());
    animated->enabled = 0;
    plain->enabled = 0;
    animated->Appear();
    EXPECT_FALSE(animated->animationWindow->visible);
    plain->color = Color(1.0f, 1.0f, 1.0f, 1.0f);
    plain->Update();
    EXPECT_FALSE(plain->widget->visible);
    plain->enabled = 1;
    plain->Update();
    EXPECT_TRUE(plain->widget->visible);
    plain->color.a = 0.0f;
    plain->enabled = 0;
    plain->Update();
    EXPECT_TRUE(plain->widget->visible);
    animated->enabled = 1;
    animated->Appear();
    EXPECT_TRUE(animated->animationWindow->visible);
    animated->enabled = 0;
    animated->Disappear();
    EXPECT_NE(animated->animationWindow->model->GetAnimationControl()->GetCurrentRangeId(), 1);
}

} // namespace
} // namespace corvellan::test
