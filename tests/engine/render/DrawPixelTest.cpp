#include "engine/render/Light.h"
#include "engine/render/LightManager.h"
#include "tests/engine/render/DrawFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace OrvaneEngine;
using corvellan::test::Corner;
using corvellan::test::Describe;
using corvellan::test::Mesh;
using corvellan::test::Near;
using corvellan::test::Rgb;

namespace
{

class DrawPixelTest : public corvellan::test::DrawFixture
{
};

constexpr Rgb kBlack{0, 0, 0};

TEST_F(DrawPixelTest, VertexColoursReachTheCornersAndPlainBuffersDrawWhite)
{
    CreateSmall();
    Mesh quad = Quad({Corner{-1.0f, -1.0f, 0xFFFF0000u}, Corner{1.0f, -1.0f, 0xFF00FF00u},
                      Corner{1.0f, 1.0f, 0xFF0000FFu}, Corner{-1.0f, 1.0f, 0xFFFFFFFFu}});
    DrawFrame({&quad});
    const struct
    {
        std::uint32_t x;
        std::uint32_t y;
        Rgb color;
    } rows[] = {
        {0, kHeight - 1, Rgb{255, 0, 0}},
        {kWidth - 1, kHeight - 1, Rgb{0, 255, 0}},
        {kWidth - 1, 0, Rgb{0, 0, 255}},
        {0, 0, Rgb{255, 255, 255}},
    };
    for (const auto& row : rows)
        EXPECT_TRUE(Near(Pixel(row.x, row.y), row.color, 2)) << row.x << "," << row.y << Describe(Pixel(row.x, row.y));

    Mesh plain = Rect(-0.5f, -0.5f, 0.5f, 0.5f, 0xFF000000u, -0.5f, false);
    DrawFrame({&plain});
    EXPECT_TRUE(Near(At(0.0f, 0.0f), Rgb{255, 255, 255})) << Describe(At(0.0f, 0.0f));
    EXPECT_TRUE(Near(At(0.9f, 0.9f), kBlack));
}

// A counter-clockwise triangle on the left, a clockwise one on the right, as seen on the screen.
TEST_F(DrawPixelTest, CullModesRemoveTheFacesTheyName)
{
    CreateSmall();
    Mesh both = Triangles({Corner{-0.9f, -0.5f}, Corner{-0.1f, -0.5f}, Corner{-0.5f, 0.5f}, Corner{0.1f, -0.5f},
                           Corner{0.5f, 0.5f}, Corner{0.9f, -0.5f}});
    const struct
    {
        std::uint32_t mode;
        bool counterClockwiseShows;
        bool clockwiseShows;
    } rows[] = {{0, true, true}, {1, true, false}, {2, false, true}, {3, true, true}};
    for (const auto& row : rows)
    {
        renderSystem->SetCullMode(row.mode);
        DrawFrame({&both});
        EXPECT_EQ(Near(At(-0.5f, -0.2f), Rgb{255, 255, 255}), row.counterClockwiseShows) << row.mode;
        EXPECT_EQ(Near(At(0.5f, -0.2f), Rgb{255, 255, 255}), row.clockwiseShows) << row.mode;
    }
}

TEST_F(DrawPixelTest, BlendFactorsMixSourceAndDestination)
{
    CreateSmall();
    const Rgb destination{200, 100, 50};
    const int alpha = 128;
    Mesh under = FullScreen(0xFF000000u | 200u << 16 | 100u << 8 | 50u);
    Mesh over = FullScreen(static_cast<std::uint32_t>(alpha) << 24 | 100u << 16 | 200u << 8 | 40u, -0.4f);
    const float a = static_cast<float>(alpha) / 255.0f;
    const auto mix = [](float s, float d) { return static_cast<int>(std::lround(std::min(255.0f, s + d))); };
    const struct
    {
        std::uint32_t sourceFactor;
        std::uint32_t destinationFactor;
        Rgb expected;
    } rows[] = {
        {BlendSrcAlpha, BlendInvSrcAlpha,
         Rgb{mix(100 * a, 200 * (1 - a)), mix(200 * a, 100 * (1 - a)), mix(40 * a, 50 * (1 - a))}},
        {BlendOne, BlendOne, Rgb{255, 255, 90}},
        {BlendZero, BlendOne, destination},
        {BlendDestColor, BlendZero, Rgb{mix(100.0f * 200 / 255, 0), mix(200.0f * 100 / 255, 0), mix(40.0f * 50 / 255, 0)}},
        {BlendSrcColor, BlendZero, Rgb{mix(100.0f * 100 / 255, 0), mix(200.0f * 200 / 255, 0), mix(40.0f * 40 / 255, 0)}},
    };
    for (const auto& row : rows)
    {
        renderSystem->BeginScene();
        renderSystem->SetAlphaBlend(false);
        Draw(under);
        renderSystem->SetAlphaBlend(true);
        renderSystem->SetBlend(row.sourceFactor, row.destinationFactor);
        Draw(over);
        renderSystem->EndScene();
        Grab();
        EXPECT_TRUE(Near(At(0.0f, 0.0f), row.expected, 2))
            << row.sourceFactor << "," << row.destinationFactor << " " << Describe(At(0.0f, 0.0f)) << " "
            << Describe(row.expected);
    }
}

TEST_F(DrawPixelTest, LightingUsesTheAmbientColourTheMaterialAndTheLights)
{
    CreateSmall();
    LightManager lights(&log, renderSystem.get());
    lights.ambientColor = Color(0.5f, 0.5f, 0.5f, 1.0f);
    lights.Update();
    Mesh plain = Rect(-1.0f, -1.0f, 0.0f, 1.0f, 0xFFFFFFFFu, -0.5f, false);
    Mesh colored = Rect(0.0f, -1.0f, 1.0f, 1.0f, 0xFFC86428u);
    lights.SetLighting(true);
    DrawFrame({&plain, &colored});
    // 0.5 x the default material's 0.6; a coloured buffer's colour is its material.
    EXPECT_TRUE(Near(At(-0.5f, 0.0f), Rgb{77, 77, 77})) << Describe(At(-0.5f, 0.0f));
    EXPECT_TRUE(Near(At(0.5f, 0.0f), Rgb{100, 50, 20})) << Describe(At(0.5f, 0.0f));

    Light* light = lights.CreateLight();
    light->type = Light::Directional;
    light->direction = Vector3(0.0f, 0.0f, -1.0f);
    lights.Update();
    DrawFrame({&plain, &colored});
    EXPECT_TRUE(Near(At(-0.5f, 0.0f), Rgb{255, 255, 255})) << Describe(At(-0.5f, 0.0f));
    // The colour times the scene ambient, the light's ambient and its diffuse: 2.5 x (200, 100, 40).
    EXPECT_TRUE(Near(At(0.5f, 0.0f), Rgb{255, 250, 100})) << Describe(At(0.5f, 0.0f));

    light->enabled = false;
    lights.Update();
    DrawFrame({&plain, &colored});
    EXPECT_TRUE(Near(At(-0.5f, 0.0f), Rgb{77, 77, 77})) << Describe(At(-0.5f, 0.0f));

    // Unlit again: the plain buffer is white, the coloured one its own colour.
    lights.SetLighting(false);
    DrawFrame({&plain, &colored});
    EXPECT_TRUE(Near(At(-0.5f, 0.0f), Rgb{255, 255, 255})) << Describe(At(-0.5f, 0.0f));
    EXPECT_TRUE(Near(At(0.5f, 0.0f), Rgb{200, 100, 40})) << Describe(At(0.5f, 0.0f));
}

TEST_F(DrawPixelTest, DepthTestAndDepthWritesDecideWhichQuadShows)
{
    CreateSmall();
    Mesh nearer = FullScreen(0xFFFF0000u, -0.3f);
    Mesh farther = FullScreen(0xFF00FF00u, -0.7f);
    const Rgb red{255, 0, 0};
    const Rgb green{0, 255, 0};
    const struct
    {
        bool z;
        bool write;
        bool nearerFirst;
        Rgb expected;
    } rows[] = {
        {true, true, true, red},    {true, true, false, red},    // the nearer wins
        {false, true, true, green}, {false, true, false, red},   // the last wins
        {true, false, true, green},                              // nothing hides the second
    };
    for (const auto& row : rows)
    {
        renderSystem->SetZ(row.z);
        renderSystem->SetZWrite(row.write);
        if (row.nearerFirst)
            DrawFrame({&nearer, &farther});
        else
            DrawFrame({&farther, &nearer});
        EXPECT_TRUE(Near(At(0.0f, 0.0f), row.expected)) << row.z << row.write << row.nearerFirst << " "
                                                        << Describe(At(0.0f, 0.0f));
    }
}

TEST_F(DrawPixelTest, AStencilledDrawCoversEachPixelOnce)
{
    CreateSmall(32, true);
    ASSERT_TRUE(renderSystem->stencilAvailable);
    // Two half-transparent white triangles that overlap in the middle.
    Mesh pair = Triangles({Corner{-0.9f, -0.5f, 0x80FFFFFFu}, Corner{0.3f, -0.5f, 0x80FFFFFFu},
                           Corner{-0.3f, 0.5f, 0x80FFFFFFu}, Corner{-0.3f, -0.5f, 0x80FFFFFFu},
                           Corner{0.9f, -0.5f, 0x80FFFFFFu}, Corner{0.3f, 0.5f, 0x80FFFFFFu}});
    renderSystem->SetAlphaBlend(true);
    renderSystem->SetBlend(BlendSrcAlpha, BlendInvSrcAlpha);
    for (const bool stencil : {false, true})
    {
        renderSystem->SetStencil(stencil);
        DrawFrame({&pair});
        const Rgb once{128, 128, 128};
        const Rgb twice{192, 192, 192};
        EXPECT_TRUE(Near(At(-0.6f, -0.4f), once, 2)) << Describe(At(-0.6f, -0.4f));
        EXPECT_TRUE(Near(At(0.0f, -0.3f), stencil ? once : twice, 2)) << stencil << Describe(At(0.0f, -0.3f));
    }
}

} // namespace
