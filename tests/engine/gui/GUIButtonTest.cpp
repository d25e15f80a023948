// Buttons, check boxes and radio buttons: the press-and-release click, the
// states and their looks, and the sound events of hover and press.
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIRadioButton.h"
#include "engine/gui/GUIRadioGroupManager.h"
#include "engine/core/Vector3.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/ShaderUser.h"
#include "platform/win32/testing/EventPush.h"
#include "tests/engine/gui/WidgetFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvellan::test
{
namespace
{
using namespace OrvaneEngine;

const Vector2 Inside(150.0f, 120.0f);
const Vector2 Outside(10.0f, 10.0f);

// One GUI update: cursor over the button or not, mouse button held, pressed
// in this frame.
struct Input
{
    bool in;
    bool held;
    bool pressed;
};

// What a frame shows: the look, the click and the events played.
struct Shown
{
    std::uint32_t frame;
    bool clicked;
    std::vector<std::uint32_t> events;
};

class GUIButtonTest : public WidgetFixture
{
protected:
    std::unique_ptr<GUIButton> MakeButton(std::uint32_t flags = 1)
    {
        return Make<GUIButton>(flags, Vector2(100, 100), Vector2(100, 50), static_cast<const Model*>(nullptr),
                               nullptr);
    }
    std::unique_ptr<GUICheckBox> MakeCheckBox()
    {
        return Make<GUICheckBox>(1u, Vector2(100, 100), Vector2(100, 50), static_cast<const Model*>(nullptr),
                                 nullptr);
    }

    Shown Step(GUIButton& button, const Input& input)
    {
        NextFrame();
        button.Update(input.in ? Inside : Outside, input.held, input.pressed);
        return {button.GetFrame(), button.clicked, Played()};
    }
};

TEST_F(GUIButtonTest, SequencesOfFramesGiveTheLookTheClickAndTheSounds)
{
    enum Kind
    {
        Button,
        DisabledButton,
        CheckBox,
    };
    const struct
    {
        const char* name;
        Kind kind;
        std::vector<Input> frames;
        std::vector<Shown> expected;
    } rows[] = {
        {"made under a resting cursor: silent until it is entered again",
         Button,
         {{true, false, false}, {false, false, false}, {true, false, false}},
         {{1, false, {}}, {0, false, {}}, {1, false, {0}}}},
        {"press and release over it: the click comes with the release",
         Button,
         {{true, true, true}, {true, true, false}, {true, false, false}},
         {{2, false, {1}}, {2, false, {}}, {1, true, {}}}},
        {"pressed outside, released over it",
         Button,
         {{false, true, true}, {true, true, false}, {true, false, false}},
         {{0, false, {}}, {1, false, {0}}, {1, false, {}}}},
        {"pressed over it, leaves and returns while held, released outside",
         Button,
         {{true, true, true}, {false, true, false}, {true, true, false}, {false, false, false}},
         {{2, false, {1}}, {0, false, {}}, {2, false, {}}, {0, false, {}}}},
        {"a tap inside one frame clicks in the next",
         Button,
         {{true, true, true}, {true, false, false}},
         {{2, false, {1}}, {1, true, {}}}},
        {"disabled: no look, no sound, no click",
         DisabledButton,
         {{false, false, false}, {true, false, false}, {true, true, true}, {true, false, false}},
         {{3, false, {}}, {3, false, {}}, {3, false, {}}, {3, false, {}}}},
        {"a check box clicked twice",
         CheckBox,
         {{true, false, false}, {true, true, true}, {true, false, false}, {true, true, true}, {true, false, false}},
         {{1, false, {}}, {2, false, {3}}, {4, true, {}}, {5, false, {3}}, {1, true, {}}}},
        {"a check box entered",
         CheckBox,
         {{false, false, false}, {true, false, false}},
         {{0, false, {}}, {1, false, {2}}}},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.name);
        std::unique_ptr<GUIButton> button;
        if (row.kind == CheckBox)
            button = MakeCheckBox();
        else
            button = MakeButton();
        if (row.kind == DisabledButton)
            button->SetEnabled(false);
        ASSERT_EQ(row.frames.size(), row.expected.size());
        for (std::size_t i = 0; i < row.frames.size(); ++i)
        {
            SCOPED_TRACE("frame " + std::to_string(i + 1));
            const Shown shown = Step(*button, row.frames[i]);
            EXPECT_EQ(shown.frame, row.expected[i].frame);
            EXPECT_EQ(shown.clicked, row.expected[i].clicked);
            EXPECT_EQ(shown.events, row.expected[i].events);
        }
    }
}

TEST_F(GUIButtonTest, EnablingOnlyActsOnAChangeAndADisabledCheckBoxShowsItsCheck)
{
    std::unique_ptr<GUIButton> button = MakeButton();
    Step(*button, {true, true, true});
    ASSERT_EQ(button->state, GUIButton::StatePressed);
    button->SetEnabled(true);
    EXPECT_EQ(button->state, GUIButton::StatePressed) << "already enabled";
    button->SetEnabled(false);
    EXPECT_EQ(button->state, GUIButton::StateDisabled);
    EXPECT_FALSE(button->Update(Inside, true, false));
    button->SetEnabled(true);
    EXPECT_EQ(button->state, GUIButton::StateNormal);

    std::unique_ptr<GUICheckBox> box = MakeCheckBox();
    box->SetEnabled(false);
    EXPECT_EQ(box->GetFrame(), 6u);
    box->checked = true;
    EXPECT_EQ(box->GetFrame(), 7u);
    Step(*box, {true, true, true});
    Step(*box, {true, false, false});
    EXPECT_TRUE(box->checked) << "a disabled box is not clicked over";
}

TEST_F(GUIButtonTest, ShowingAButtonAgainForgetsAPressButNotTheDisabledState)
{
    std::unique_ptr<GUIButton> button = MakeButton();
    Step(*button, {true, true, true});
    ASSERT_EQ(button->state, GUIButton::StatePressed);
    button->ClearFlags(GUIWindow::FlagShown);
    EXPECT_FALSE(button->Update(Inside, true, false)) << "hidden";
    button->SetFlags(GUIWindow::FlagShown);
    EXPECT_EQ(button->state, GUIButton::StateNormal);

    button->SetEnabled(false);
    button->ClearFlags(GUIWindow::FlagShown);
    button->SetFlags(GUIWindow::FlagShown);
    EXPECT_EQ(button->state, GUIButton::StateDisabled);

    // A child button comes back with its parent.
    GUIWindow* parent = services.gui->CreateWindow(1, Vector2(0, 0), Vector2(800, 600), nullptr, nullptr);
    auto child = Make<GUIButton>(1u, Vector2(100, 100), Vector2(100, 50), static_cast<const Model*>(nullptr),
                                 parent);
    Step(*child, {true, true, true});
    parent->ClearFlags(GUIWindow::FlagShown);
    parent->SetFlags(GUIWindow::FlagShown);
    EXPECT_EQ(child->state, GUIButton::StateNormal);
}

TEST_F(GUIButtonTest, TheLookPicksATextureFrameElseAModelFrameElseNothing)
{
    WriteGridTexture();
    WriteTwoFrameModel();
    const ShaderDescriptor grid = GridDescriptor();
    auto textured = Make<GUIButton>(1u, Vector2(100, 100), Vector2(100, 50), &grid, nullptr, Vector2(1, 1));
    auto animated = Make<GUIButton>(1u, Vector2(100, 100), Vector2(100, 50), std::string("morph.mlf"), nullptr);
    std::unique_ptr<Model> quad = services.Box(Vector3(0, 0, 0), Vector3(1, 1, 0));
    auto plain = Make<GUIButton>(1u, Vector2(100, 100), Vector2(100, 50), static_cast<const Model*>(quad.get()),
                                 nullptr);

    ShaderUser* user = textured->GetShaderUser();
    ASSERT_NE(user, nullptr);
    ASSERT_EQ(user->stages[0].frameCount, 4u);
    ASSERT_NE(animated->model, nullptr);
    AnimationControl* animation = animated->model->GetAnimationControl();
    ASSERT_NE(animation, nullptr);
    ASSERT_EQ(animation->GetFrameCount(), 2u);
    ASSERT_NE(plain->model, nullptr);
    AnimationControl* still = plain->model->GetAnimationControl();
    ASSERT_TRUE(still == nullptr || still->GetFrameCount() <= 1);
    const float stillTime = still != nullptr ? still->time : 0.0f;
    const float plainTime = plain->GetShaderUser() != nullptr ? plain->GetShaderUser()->animationTime[0] : 0.0f;

    const struct
    {
        Input input;
        float frame;
    } steps[] = {
        {{true, false, false}, 1.0f},
        {{true, true, true}, 2.0f},
        {{false, true, false}, 0.0f},
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE(step.frame);
        for (GUIButton* button : {textured.get(), animated.get(), plain.get()})
        {
            Step(*button, step.input);
            EXPECT_TRUE(button->Render());
        }
        EXPECT_EQ(user->animationTime[0], step.frame);
        EXPECT_EQ(animation->time, step.frame);
        if (still != nullptr)
        {
            EXPECT_EQ(still->time, stillTime);
        }
        if (plain->GetShaderUser() != nullptr)
        {
            EXPECT_EQ(plain->GetShaderUser()->animationTime[0], plainTime);
        }
    }
    textured->SetEnabled(false);
    textured->Render();
    EXPECT_EQ(user->animationTime[0], 3.0f);

    // Hidden, the look is left as it was.
    textured->SetEnabled(true);
    textured->ClearFlags(GUIWindow::FlagShown);
    EXPECT_FALSE(textured->Render());
    EXPECT_EQ(user->animationTime[0], 3.0f);

    // A check box's eight looks go through the same slot.
    auto box = Make<GUICheckBox>(1u, Vector2(100, 100), Vector2(100, 50), static_cast<const Model*>(textured->model),
                                 nullptr);
    ShaderUser* boxUser = box->GetShaderUser();
    ASSERT_NE(boxUser, nullptr);
    ASSERT_EQ(boxUser->stages[0].frameCount, 4u);
    box->checked = true;
    box->SetEnabled(false);
    EXPECT_TRUE(box->Render());
    EXPECT_EQ(boxUser->animationTime[0], 7.0f);
}

TEST_F(GUIButtonTest, ARadioButtonSelectsItselfOnAClickAndShowsItInItsFrames)
{
    GUIManager& gui = *services.gui;
    auto radio = std::make_unique<GUIRadioButton>(
        &services.log, &services.shaders, &services.models, gui.GetFontManager(), gui.GetTextManager(), &sounds,
        gui.GetRadioGroupManager(), gui.GetCamera(), 1u, Vector2(100, 100), Vector2(100, 50), nullptr, "sizes",
        nullptr);
    EXPECT_EQ(radio->GetGroupName(), "sizes");
    EXPECT_EQ(radio->hoverEvent, 4u);
    EXPECT_EQ(radio->pressEvent, 5u);
    const struct
    {
        Input input;
        Shown shown;
        bool selected;
    } steps[] = {
        {{false, false, false}, {0, false, {}}, false},
        {{true, false, false}, {1, false, {4}}, false},
        {{true, true, true}, {2, false, {5}}, false},
        {{true, false, false}, {4, true, {}}, true},
        // A second click does not deselect it.
        {{true, true, true}, {5, false, {5}}, true},
        {{true, false, false}, {4, true, {}}, true},
        {{false, false, false}, {3, false, {}}, true},
    };
    int frame = 0;
    for (const auto& step : steps)
    {
        SCOPED_TRACE(++frame);
        const Shown shown = Step(*radio, step.input);
        EXPECT_EQ(shown.frame, step.shown.frame);
        EXPECT_EQ(shown.clicked, step.shown.clicked);
        EXPECT_EQ(shown.events, step.shown.events);
        EXPECT_EQ(radio->selected, step.selected);
    }
    radio->SetEnabled(false);
    EXPECT_EQ(radio->GetFrame(), 7u);
    radio->selected = false;
    EXPECT_EQ(radio->GetFrame(), 6u);

    // Nothing joins a group; asking empties the caller's list.
    std::vector<GUIRadioButton*> members = {radio.get()};
    services.gui->GetRadioGroupManager()->GetGroup("sizes", members);
    EXPECT_TRUE(members.empty());
}

}

} // namespace corvellan::test
