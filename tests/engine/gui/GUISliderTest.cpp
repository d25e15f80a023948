// Sliders: the thumb they make, dragging with snapping to the nearest
// position (in f32, halves up), reversed and vertical tracks, the counts,
// and where the thumb is drawn.
#include "engine/core/Matrix4.h"
#include "engine/core/Vector3.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUISlider.h"
#include "engine/render/ShaderUser.h"
#include "tests/engine/gui/WidgetFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace corvellan::test
{
namespace
{
using namespace OrvaneEngine;

const Vector2 Corner(200.0f, 100.0f);

class GUISliderTest : public WidgetFixture
{
protected:
    std::unique_ptr<GUISlider> MakeSlider(std::uint32_t orientation, const Vector2& trackStart,
                                          const Vector2& trackEnd, std::uint32_t count, std::uint32_t flags = 1,
                                          const Model* model = nullptr)
    {
        return Make<GUISlider>(flags, Corner, Vector2(300, 300), model, orientation, trackStart, trackEnd, count,
                               nullptr);
    }

    // The absolute point at the given offsets from the slider's corner.
    static Vector2 At(float x, float y) { return Vector2(Corner.x + x, Corner.y + y); }
};

TEST_F(GUISliderTest, DraggingSnapsTheThumbCentreToTheNearestPosition)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct
    {
        const char* name;
        std::uint32_t orientation;
        float start;
        float end;
        std::uint32_t count;
        bool reversed;
        float cursor;
        std::uint32_t position;
    } rows[] = {
        // t = 0.45, f = 4.5 in f32: halves go up.
        {"half way between 4 and 5", 0, 10, 110, 11, false, 65, 5},
        {"reversed", 0, 10, 110, 11, true, 65, 6},
        {"before the track", 0, 10, 110, 11, false, 0, 0},
        {"past the track", 0, 10, 110, 11, false, 500, 10},
        {"vertical", 1, 10, 110, 11, false, 65, 5},
        {"vertical reversed", 1, 10, 110, 11, true, 65, 6},
        {"just below a half", 0, 10, 110, 11, false, 64.9f, 4},
        {"empty track: the thumb's centre", 0, 10, 10, 11, false, 20, 0},
        {"empty track: one past it", 0, 10, 10, 11, false, 21, 10},
        {"not a number counts as the start", 0, 10, 110, 11, false, nan, 0},
        {"not a number, reversed", 0, 10, 110, 11, true, nan, 10},
        {"two positions", 0, 10, 110, 2, false, 69, 0},
        {"two positions, past the half", 0, 10, 110, 2, false, 70, 1},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.name);
        const bool vertical = row.orientation != 0;
        const Vector2 start = vertical ? Vector2(0, row.start) : Vector2(row.start, 0);
        const Vector2 end = vertical ? Vector2(0, row.end) : Vector2(row.end, 0);
        std::unique_ptr<GUISlider> slider = MakeSlider(row.orientation, start, end, row.count);
        slider->SetThumb(Vector2(20, 20), nullptr);
        slider->reversed = row.reversed;
        // Grab the thumb on the track, then move with the button held.
        const float grab = row.start + 10.0f;
        ASSERT_TRUE(slider->Update(vertical ? At(10, grab) : At(grab, 10), true, true));
        ASSERT_TRUE(slider->IsDragging());
        const Vector2 cursor = vertical ? At(10, row.cursor) : At(row.cursor, 10);
        ASSERT_TRUE(slider->Update(cursor, true, false));
        EXPECT_EQ(slider->GetPosition(), row.position);
        EXPECT_TRUE(slider->IsDragging()) << "held off the track, the drag goes on";
    }
}

TEST_F(GUISliderTest, APressOnTheTrackJumpsThereAndStartsADrag)
{
    std::unique_ptr<GUISlider> slider = MakeSlider(0, Vector2(10, 0), Vector2(110, 0), 11);
    slider->SetThumb(Vector2(20, 20), nullptr);
    EXPECT_FALSE(slider->IsDragging());
    // The thumb is drawn at position 0, from 10 to 30; the press is far
    // from it at the centre of position 8.
    ASSERT_TRUE(slider->Update(At(100, 10), true, true));
    EXPECT_EQ(slider->GetPosition(), 8u);
    EXPECT_TRUE(slider->IsDragging());
    EXPECT_EQ(slider->state, GUISlider::StateHover);
    ASSERT_TRUE(slider->Update(At(40, 10), true, false));
    EXPECT_EQ(slider->GetPosition(), 2u);
    ASSERT_TRUE(slider->Update(At(40, 10), false, false));
    EXPECT_FALSE(slider->IsDragging());
    // Moving without the button moves nothing.
    ASSERT_TRUE(slider->Update(At(100, 10), false, false));
    EXPECT_EQ(slider->GetPosition(), 2u);
    // A press outside the track does not grab.
    ASSERT_TRUE(slider->Update(At(100, 200), true, true));
    ASSERT_TRUE(slider->Update(At(100, 10), true, false));
    EXPECT_FALSE(slider->IsDragging());
    EXPECT_EQ(slider->GetPosition(), 2u);
    EXPECT_EQ(slider->state, GUISlider::StateHover);
    ASSERT_TRUE(slider->Update(At(400, 10), false, false));
    EXPECT_EQ(slider->state, GUISlider::StateNormal);
}

TEST_F(GUISliderTest, CountsAreAtLeastTwoAndThePositionStaysBelowTheCount)
{
    for (const std::uint32_t count : {0u, 1u, 2u})
        EXPECT_EQ(MakeSlider(0, Vector2(0, 0), Vector2(100, 0), count)->GetPositionCount(), 2u) << count;
    std::unique_ptr<GUISlider> slider = MakeSlider(0, Vector2(0, 0), Vector2(100, 0), 11);
    EXPECT_EQ(slider->GetPosition(), 0u);
    slider->SetPosition(99);
    EXPECT_EQ(slider->GetPosition(), 10u);
    slider->SetPosition(7);
    slider->SetPositionCount(5);
    EXPECT_EQ(slider->GetPositionCount(), 5u);
    EXPECT_EQ(slider->GetPosition(), 4u);
    slider->SetPositionCount(0);
    EXPECT_EQ(slider->GetPositionCount(), 2u);
    EXPECT_EQ(slider->GetPosition(), 1u);
}

TEST_F(GUISliderTest, TheThumbSpansTheTrackAndIsDrivenByItsSlider)
{
    std::unique_ptr<Model> quad = services.Box(Vector3(0, 0, 0), Vector3(1, 1, 0));
    WriteTwoFrameModel();
    WriteGridTexture();
    const ShaderDescriptor grid = GridDescriptor();
    const std::uint32_t modelsBefore = services.models.GetModelCount();
    for (const std::uint32_t flags : {1u, 3u})
    {
        SCOPED_TRACE(flags);
        std::unique_ptr<GUISlider> slider = MakeSlider(0, Vector2(10, 5), Vector2(110, 5), 11, flags);
        const struct
        {
            const char* name;
            std::function<void()> set;
        } setters[] = {
            {"model", [&] { slider->SetThumb(Vector2(20, 30), quad.get()); }},
            {"file", [&] { slider->SetThumbFromFile(Vector2(20, 30), "morph.mlf"); }},
            {"textured", [&] { slider->SetTexturedThumb(Vector2(20, 30), &grid, Vector2(1, 1)); }},
        };
        for (const auto& setter : setters)
        {
            SCOPED_TRACE(setter.name);
            setter.set();
            GUIButton* thumb = slider->GetThumb();
            ASSERT_NE(thumb, nullptr);
            ASSERT_NE(thumb->model, nullptr);
            EXPECT_EQ(thumb->flags, flags == 3 ? 3u : 1u);
            EXPECT_EQ(thumb->parent, slider.get());
            EXPECT_EQ(slider->GetChildren(), std::vector<GUIWindow*>({thumb})) << "the old thumb is gone";
            EXPECT_EQ(thumb->position.x, 10.0f);
            EXPECT_EQ(thumb->position.y, 5.0f);
            EXPECT_EQ(thumb->size.x, 120.0f);
            EXPECT_EQ(thumb->size.y, 30.0f);
            EXPECT_FALSE(thumb->autoFit);
            EXPECT_EQ(thumb->hoverEvent, 6u);
            EXPECT_EQ(thumb->pressEvent, 7u);
            EXPECT_FLOAT_EQ(thumb->depth, slider->depth - 0.01f);
        }
    }
    EXPECT_EQ(services.models.GetModelCount(), modelsBefore) << "each old thumb released its model";
}

TEST_F(GUISliderTest, RenderPlacesTheThumbAtItsPosition)
{
    std::unique_ptr<Model> quad = services.Box(Vector3(0, 0, 0), Vector3(1, 1, 0));
    const struct
    {
        const char* name;
        std::uint32_t orientation;
        bool reversed;
        std::uint32_t position;
        Vector2 corner; // of the thumb, from the slider's corner
    } rows[] = {
        {"middle", 0, false, 5, Vector2(60, 0)},
        {"first", 0, false, 0, Vector2(10, 0)},
        {"last", 0, false, 10, Vector2(110, 0)},
        {"reversed first", 0, true, 0, Vector2(110, 0)},
        {"vertical", 1, false, 2, Vector2(0, 30)},
        // Position 0 at the top.
        {"vertical reversed first", 1, true, 0, Vector2(0, 110)},
        {"vertical reversed last", 1, true, 10, Vector2(0, 10)},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.name);
        const bool vertical = row.orientation != 0;
        std::unique_ptr<GUISlider> slider = MakeSlider(row.orientation, vertical ? Vector2(0, 10) : Vector2(10, 0),
                                                       vertical ? Vector2(0, 110) : Vector2(110, 0), 11);
        slider->SetThumb(Vector2(20, 40), quad.get());
        slider->reversed = row.reversed;
        slider->SetPosition(row.position);
        ASSERT_TRUE(slider->Render());
        const Matrix4& placed = slider->GetThumb()->model->worldMatrix;
        const Vector3 low = placed.TransformPoint(Vector3(0, 0, 0));
        const Vector3 high = placed.TransformPoint(Vector3(1, 1, 0));
        EXPECT_FLOAT_EQ(low.x, Corner.x + row.corner.x);
        EXPECT_FLOAT_EQ(low.y, Corner.y + row.corner.y);
        EXPECT_FLOAT_EQ(high.x - low.x, 20.0f);
        EXPECT_FLOAT_EQ(high.y - low.y, 40.0f);
    }
}

TEST_F(GUISliderTest, DisabledItShowsFrameTwoAndIgnoresTheMouse)
{
    WriteGridTexture();
    const ShaderDescriptor grid = GridDescriptor();
    GUIWindow* look = services.gui->CreateTexturedWindow(0, Vector2(0, 0), Vector2(1, 1), &grid, nullptr,
                                                        Vector2(1, 1));
    std::unique_ptr<GUISlider> slider = MakeSlider(0, Vector2(10, 0), Vector2(110, 0), 11, 1, look->model);
    slider->SetThumb(Vector2(20, 20), nullptr);
    ShaderUser* user = slider->GetShaderUser();
    ASSERT_NE(user, nullptr);

    ASSERT_TRUE(slider->Update(At(100, 10), false, false));
    ASSERT_TRUE(slider->Render());
    EXPECT_EQ(user->animationTime[0], 1.0f) << "hovered";
    slider->SetEnabled(false);
    EXPECT_FALSE(slider->IsEnabled());
    EXPECT_EQ(slider->state, GUISlider::StateDisabled);
    EXPECT_EQ(slider->GetThumb()->state, GUIButton::StateDisabled);
    EXPECT_FALSE(slider->Update(At(100, 10), true, true));
    EXPECT_FALSE(slider->IsDragging());
    EXPECT_EQ(slider->GetPosition(), 0u);
    ASSERT_TRUE(slider->Render());
    EXPECT_EQ(user->animationTime[0], 2.0f);

    // Hiding and showing keeps it disabled; enabled, it returns to normal.
    slider->ClearFlags(GUIWindow::FlagShown);
    slider->SetFlags(GUIWindow::FlagShown);
    EXPECT_EQ(slider->state, GUISlider::StateDisabled);
    slider->SetEnabled(true);
    EXPECT_EQ(slider->state, GUISlider::StateNormal);
    EXPECT_EQ(slider->GetThumb()->state, GUIButton::StateNormal);
    ASSERT_TRUE(slider->Update(At(100, 10), true, true));
    EXPECT_EQ(slider->GetPosition(), 8u);
}

} // namespace

} // namespace corvellan::test
