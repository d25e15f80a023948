// The GUI cursor's models and its mapping of real mouse events to the
// virtual screen, over device-free models and a device-free window and input.
#include "engine/gui/GUICursor.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"
#include "tests/engine/core/InputFixture.h"
#include "tests/support/ModelServices.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace corvellan::test
{
namespace
{
using namespace OrvaneEngine;

class GUICursorTest : public InputFixture
{
protected:
    void SetUp() override
    {
        InputFixture::SetUp();
        win32::testing::SetDesktopMode(win32::DesktopMode{1024, 768, 32, 60});
        guiCamera = services.cameras.CreateCamera(1);
        guiCamera->width = 800.0f;
        guiCamera->height = 600.0f;
        MakeWindowOf(800, 600, false);
    }

    void MakeWindowOf(std::uint32_t width, std::uint32_t height, bool fullscreen)
    {
        controls.reset();
        window.reset();
        WindowOptions options;
        options.width = width;
        options.height = height;
        options.fullscreen = fullscreen;
        MakeAll(options);
    }

    // The mouse moves to the client pixel; one input frame reads it.
    void MoveMouse(std::int32_t x, std::int32_t y)
    {
        ASSERT_TRUE(win32::testing::PushMouseMotion(window->handle, x, y, 0, 0));
        Frame();
        EndFrame();
    }

    GUICursor Textured(float size)
    {
        return GUICursor(&log, window.get(), &services.models, controls.get(), guiCamera, nullptr, size);
    }

    static std::vector<Vertex> VerticesOf(const Model& model)
    {
        const VertexBuffer* buffer = model.GetVertexBuffer();
        std::vector<Vertex> vertices(buffer->GetVertexCount());
        std::memcpy(vertices.data(), buffer->GetData(), vertices.size() * sizeof(Vertex));
        return vertices;
    }

    static std::vector<std::uint32_t> IndicesOf(const Model& model)
    {
        const IndexBuffer* buffer = model.GetIndexBuffer();
        std::vector<std::uint32_t> indices;
        for (std::uint32_t i = 0; i < buffer->GetIndexCount(); ++i)
        {
            std::uint32_t index = 0;
            std::memcpy(&index, buffer->GetData() + i * buffer->GetIndexSize(), buffer->GetIndexSize());
            indices.push_back(index);
        }
        return indices;
    }

    ModelServices services;
    Camera* guiCamera = nullptr;
};

TEST_F(GUICursorTest, TheTexturedCursorIsASquareHangingFromTheHotSpot)
{
    const std::uint32_t before = services.models.GetModelCount();
    {
        GUICursor cursor = Textured(32.0f);
        const Model* model = cursor.GetModel();
        ASSERT_NE(model, nullptr);
        EXPECT_EQ(services.models.GetModelCount(), before + 1);
        EXPECT_EQ(model->GetFlags(), 0x48C11u);
        EXPECT_TRUE(model->IsStrip());
        EXPECT_EQ(model->GetPrimitiveCount(), 2u);
        EXPECT_EQ(model->GetCamera(), guiCamera);
        EXPECT_FLOAT_EQ(model->depth, -30.1f);
        EXPECT_EQ(IndicesOf(*model), (std::vector<std::uint32_t>{0, 1, 2, 3}));

        const struct
        {
            float x, y, u, v;
        } corners[] = {{32, -32, 1, 0}, {32, 0, 1, 1}, {0, -32, 0, 0}, {0, 0, 0, 1}};
        const std::vector<Vertex> vertices = VerticesOf(*model);
        ASSERT_EQ(vertices.size(), 4u);
        for (std::size_t i = 0; i < 4; ++i)
        {
            SCOPED_TRACE(i);
            EXPECT_FLOAT_EQ(vertices[i].position.x, corners[i].x);
            EXPECT_FLOAT_EQ(vertices[i].position.y, corners[i].y);
            EXPECT_FLOAT_EQ(vertices[i].position.z, 0.0f);
            EXPECT_FLOAT_EQ(vertices[i].u, corners[i].u);
            EXPECT_FLOAT_EQ(vertices[i].v, corners[i].v);
        }
        Matrix4 identity;
        Matrix4::Identity(identity);
        EXPECT_EQ(model->baseMatrix, identity);
        EXPECT_EQ(model->worldMatrix, identity);
        EXPECT_FALSE(cursor.visible);
    }
    EXPECT_EQ(services.models.GetModelCount(), before);
}

TEST_F(GUICursorTest, ACopiedModelIsDrawnAsGuiWithItsOwnMatrixAsBase)
{
    Model* source = services.models.CreateModel(Model::FlagStatic | Model::FlagColored | Model::FlagLit |
                                                    Model::FlagDepthTest | Model::FlagOpaque | Model::FlagVisible,
                                                3, 3, 1);
    Matrix4 translation;
    Matrix4::Translation(translation, Vector3(5.0f, 6.0f, 0.0f));
    source->worldMatrix = translation.Multiply(Matrix4::MakeScaling(Vector3(2.0f, 2.0f, 1.0f)));
    source->depth = 4.0f;
    const std::uint32_t sourceFlags = source->GetFlags();
    const std::uint32_t before = services.models.GetModelCount();
    {
        GUICursor cursor(&log, window.get(), &services.models, controls.get(), guiCamera, source);
        Model* model = cursor.GetModel();
        ASSERT_NE(model, nullptr);
        ASSERT_NE(model, source);
        EXPECT_EQ(services.models.GetModelCount(), before + 1);
        EXPECT_EQ(model->GetFlags(), Model::FlagStatic | Model::FlagColored | Model::FlagBlended |
                                         Model::FlagFixedDepth);
        EXPECT_EQ(model->GetCamera(), guiCamera);
        EXPECT_FLOAT_EQ(model->depth, -30.1f);
        EXPECT_EQ(model->baseMatrix, source->worldMatrix);
        EXPECT_EQ(source->GetFlags(), sourceFlags);
        EXPECT_NE(source->GetCamera(), guiCamera);

        // The translation acts after the base: a point of the model lands at
        // base(p) + position.
        cursor.position = Vector2(100.0f, 50.0f);
        cursor.Render();
        const Vector3 placed = model->worldMatrix.TransformPoint(Vector3(1.0f, 1.0f, 0.0f));
        EXPECT_FLOAT_EQ(placed.x, 2.0f + 5.0f + 100.0f);
        EXPECT_FLOAT_EQ(placed.y, 2.0f + 6.0f + 50.0f);
        EXPECT_EQ(model->baseMatrix, source->worldMatrix);
    }
    EXPECT_EQ(services.models.GetModelCount(), before);
}

TEST_F(GUICursorTest, RenderPlacesTheModelAtThePositionAndFollowsVisible)
{
    GUICursor cursor = Textured(16.0f);
    Model* model = cursor.GetModel();
    const struct
    {
        bool visible;
        float x, y;
    } frames[] = {{false, 0, 0}, {true, 10, 20}, {true, 799, 0}, {false, 400, 300}, {true, 0.5f, 599}};
    for (const auto& frame : frames)
    {
        SCOPED_TRACE(::testing::Message() << frame.visible << " at " << frame.x << ", " << frame.y);
        cursor.visible = frame.visible;
        cursor.position = Vector2(frame.x, frame.y);
        cursor.Render();
        EXPECT_EQ((model->GetFlags() & Model::FlagVisible) != 0, frame.visible);
        EXPECT_EQ(model->GetFlags() & ~Model::FlagVisible, 0x08C11u);
        Matrix4 expected;
        Matrix4::Translation(expected, Vector3(frame.x, frame.y, 0.0f));
        EXPECT_EQ(model->worldMatrix, expected);
    }
}

TEST_F(GUICursorTest, ACursorWithoutModelStillFollowsTheMouse)
{
    const std::uint32_t before = services.models.GetModelCount();
    GUICursor cursor(&log, window.get(), &services.models, controls.get(), guiCamera, nullptr);
    EXPECT_EQ(cursor.GetModel(), nullptr);
    EXPECT_EQ(services.models.GetModelCount(), before);
    cursor.visible = true;
    MoveMouse(400, 299);
    cursor.UpdatePosition();
    cursor.Render();
    EXPECT_FLOAT_EQ(cursor.position.x, 400.0f);
    EXPECT_FLOAT_EQ(cursor.position.y, 300.0f);
}

TEST_F(GUICursorTest, MapsMousePixelsToTheVirtualScreen)
{
    const struct
    {
        std::uint32_t windowWidth, windowHeight;
        bool fullscreen;
        std::int32_t mouseX, mouseY;
        float x, y;
    } cases[] = {
        {800, 600, false, 0, 0, 0.0f, 599.0f},
        {800, 600, false, 799, 599, 799.0f, 0.0f},
        {800, 600, false, 400, 300, 400.0f, 299.0f},
        // A larger window still spans the 800 x 600 virtual screen.
        {1024, 768, true, 512, 384, 400.0f, 299.21875f},
        {1024, 768, true, 0, 767, 0.0f, 0.0f},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << c.windowWidth << "x" << c.windowHeight << " mouse " << c.mouseX << ", "
                                          << c.mouseY);
        MakeWindowOf(c.windowWidth, c.windowHeight, c.fullscreen);
        ASSERT_EQ(window->width, c.windowWidth);
        ASSERT_EQ(window->height, c.windowHeight);
        GUICursor cursor(&log, window.get(), &services.models, controls.get(), guiCamera, nullptr);
        MoveMouse(c.mouseX, c.mouseY);
        cursor.UpdatePosition();
        EXPECT_FLOAT_EQ(cursor.position.x, c.x);
        EXPECT_FLOAT_EQ(cursor.position.y, c.y);
    }
}

TEST_F(GUICursorTest, AWindowWithoutClientAreaKeepsTheLastPosition)
{
    const struct
    {
        std::uint32_t width, height;
    } emptyAreas[] = {{0, 600}, {800, 0}, {0, 0}};
    for (const auto& area : emptyAreas)
    {
        SCOPED_TRACE(::testing::Message() << area.width << "x" << area.height);
        GUICursor cursor = Textured(16.0f);
        MoveMouse(200, 149);
        cursor.UpdatePosition();
        ASSERT_FLOAT_EQ(cursor.position.x, 200.0f);
        ASSERT_FLOAT_EQ(cursor.position.y, 450.0f);

        window->width = area.width;
        window->height = area.height;
        for (const auto& [x, y] : {std::pair{0, 0}, std::pair{300, 100}})
        {
            MoveMouse(x, y);
            cursor.UpdatePosition();
            EXPECT_FLOAT_EQ(cursor.position.x, 200.0f);
            EXPECT_FLOAT_EQ(cursor.position.y, 450.0f);
        }
        cursor.visible = true;
        cursor.Render();
        const Vector3 placed = cursor.GetModel()->worldMatrix.TransformPoint(Vector3(0.0f, 0.0f, 0.0f));
        EXPECT_FLOAT_EQ(placed.x, 200.0f);
        EXPECT_FLOAT_EQ(placed.y, 450.0f);

        window->width = 800;
        window->height = 600;
        MoveMouse(300, 100);
        cursor.UpdatePosition();
        EXPECT_FLOAT_EQ(cursor.position.x, 300.0f);
        EXPECT_FLOAT_EQ(cursor.position.y, 499.0f);
    }
}

} // namespace
} // namespace corvellan::test
