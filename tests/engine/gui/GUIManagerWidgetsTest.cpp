// The manager's widget registries: factories and releases, the order in
// which the kinds are driven, and clicks through real mouse input.
#include "engine/core/Color.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ColoredVertex.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/VertexBuffer.h"
#include "platform/win32/testing/EventPush.h"
#include "tests/support/GuiServices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace corvellan::test
{
namespace
{
using namespace OrvaneEngine;

TEST(GUIManagerWidgetsTest, FactoriesRegisterAndReleasesLeaveOtherRegistriesAlone)
{
    GuiServices services;
    GUIManager& gui = *services.gui;
    EXPECT_NE(gui.GetRadioGroupManager(), nullptr);
    GUIButton* button = gui.CreateButton(1, Vector2(0, 0), Vector2(10, 10), nullptr, nullptr);
    GUICheckBox* box = gui.CreateCheckBox(1, Vector2(0, 0), Vector2(10, 10), nullptr, nullptr);
    GUIScroll* scroll =
        gui.CreateScroll(1, Vector2(0, 0), Vector2(100, 10), nullptr, 0, Vector2(0, 0), Vector2(90, 0), 5, nullptr);
    GUIEditBox* edit = gui.CreateEditBox(1, Vector2(0, 0), Vector2(100, 20), nullptr, -1, Color(1, 1, 1, 1),
                                         Vector2(2, 2), 20, 500.0f, 90.0f, u'_', nullptr);
    EXPECT_EQ(gui.GetButtons().GetObjects(), std::vector<GUIButton*>({button}));
    EXPECT_EQ(gui.GetCheckBoxes().GetObjects(), std::vector<GUICheckBox*>({box}));
    EXPECT_EQ(gui.GetScrolls().GetObjects(), std::vector<GUIScroll*>({scroll}));
    EXPECT_EQ(gui.GetEditBoxes().GetObjects(), std::vector<GUIEditBox*>({edit}));
    EXPECT_EQ(gui.GetWindows().GetCount(), 0u);
    EXPECT_EQ(gui.GetRadioButtons().GetCount(), 0u);
    EXPECT_EQ(gui.GetSliders().GetCount(), 0u);
    EXPECT_EQ(scroll->GetPositionCount(), 5u);
    EXPECT_EQ(box->hoverEvent, 2u);

    // A check box is a button, but not one of the button registry.
    gui.ReleaseButton(box);
    gui.ReleaseButton(nullptr);
    EXPECT_EQ(gui.GetCheckBoxes().GetCount(), 1u);
    EXPECT_EQ(gui.GetButtons().GetCount(), 1u);
    gui.ReleaseWindow(button);
    EXPECT_EQ(gui.GetButtons().GetCount(), 1u);

    gui.ReleaseButton(button);
    gui.ReleaseButton(button);
    gui.ReleaseCheckBox(box);
    gui.ReleaseCheckBox(nullptr);
    gui.ReleaseScroll(scroll);
    gui.ReleaseScroll(nullptr);
    gui.ReleaseEditBox(edit);
    gui.ReleaseEditBox(nullptr);
    for (std::uint32_t count : {gui.GetButtons().GetCount(), gui.GetCheckBoxes().GetCount(),
                                gui.GetScrolls().GetCount(), gui.GetEditBoxes().GetCount()})
        EXPECT_EQ(count, 0u);
    // Still driven while empty.
    services.Frame();
}

// Each widget prints its own letter into the one shared batch of its depth:
// the print order is the render order.
TEST(GUIManagerWidgetsTest, KindsAreRenderedWindowsButtonsCheckBoxesThenScrollBars)
{
    GuiServices services;
    GUIManager& gui = *services.gui;
    const std::string letters = "WBCS";
    std::vector<BoxGlyph> glyphs;
    for (const char letter : letters)
        glyphs.push_back({static_cast<char16_t>(letter), 0.5f});
    ASSERT_NE(services.AddBoxFont(1, "letters.fnt", glyphs, 10.0f), nullptr);

    // Made in the opposite order.
    std::vector<std::pair<char, GUIWindow*>> made = {
        {'S', gui.CreateScroll(1, Vector2(0, 0), Vector2(1, 1), nullptr, 0, Vector2(0, 0), Vector2(1, 0), 2,
                               nullptr)},
        {'C', gui.CreateCheckBox(1, Vector2(0, 0), Vector2(1, 1), nullptr, nullptr)},
        {'B', gui.CreateButton(1, Vector2(0, 0), Vector2(1, 1), nullptr, nullptr)},
        {'W', gui.CreateWindow(1, Vector2(0, 0), Vector2(1, 1), nullptr, nullptr)},
    };
    for (const auto& [letter, widget] : made)
        widget->AddWideText(0, 1, Vector2(0, 0), Color(1, 1, 1, 1), std::u16string(1, char16_t(letter)));
    gui.Render();

    ASSERT_EQ(gui.GetFontManager()->GetInstances().size(), 1u);
    const Model& batch = *gui.GetFontManager()->GetInstances()[0]->GetModel();
    const auto* quads = reinterpret_cast<const ColoredVertex*>(batch.GetVertexBuffer()->GetData());
    std::string printed;
    for (std::uint32_t q = 0; q < batch.GetIndexBuffer()->GetIndexCount() / 6; ++q)
        printed += letters.at(
            static_cast<std::size_t>(std::lround(quads[4 * q + 1].u * static_cast<float>(letters.size()))));
    EXPECT_EQ(printed, "WBCS");
}

TEST(GUIManagerWidgetsTest, OverlappingButtonsBothClickOnOneTapOfTheMouse)
{
    GuiServices services;
    GUIManager& gui = *services.gui;
    GUIButton* under = gui.CreateButton(1, Vector2(0, 0), Vector2(100, 100), nullptr, nullptr);
    GUIButton* over = gui.CreateButton(1 | 16, Vector2(50, 50), Vector2(100, 100), nullptr, nullptr);
    GUICheckBox* box = gui.CreateCheckBox(1, Vector2(60, 60), Vector2(100, 100), nullptr, nullptr);
    GUIButton* away = gui.CreateButton(1, Vector2(300, 300), Vector2(10, 10), nullptr, nullptr);
    const win32::HWND window = services.window->handle;

    // Pixel row 524 of 600 is virtual y 75.
    ASSERT_TRUE(win32::testing::PushMouseMotion(window, 75, 524, 1, 1));
    services.Frame();
    EXPECT_EQ(under->state, GUIButton::StateHover);
    EXPECT_EQ(over->state, GUIButton::StateHover);
    EXPECT_EQ(away->state, GUIButton::StateNormal);
    // Pressed and released between two frames.
    ASSERT_TRUE(win32::testing::PushMouseButton(window, 0, true, 75, 524));
    ASSERT_TRUE(win32::testing::PushMouseButton(window, 0, false, 75, 524));
    services.Frame();
    EXPECT_FALSE(under->clicked);
    EXPECT_EQ(under->state, GUIButton::StatePressed);
    services.Frame();
    EXPECT_TRUE(under->clicked);
    EXPECT_TRUE(over->clicked);
    EXPECT_TRUE(box->clicked);
    EXPECT_TRUE(box->checked);
    EXPECT_FALSE(away->clicked);
    services.Frame();
    EXPECT_FALSE(under->clicked) << "for one update only";
    EXPECT_TRUE(box->checked);
}

} // namespace

} // namespace corvellan::test
