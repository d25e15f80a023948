#include "engine/core/Color.h"
#include "engine/render/Image.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "tests/engine/render/DrawFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace OrvaneEngine;
using corvellan::test::Corner;
using corvellan::test::Describe;
using corvellan::test::Mesh;
using corvellan::test::Near;
using corvellan::test::Rgb;

namespace
{

const Rgb kRed{255, 0, 0};
const Rgb kGreen{0, 255, 0};
const Rgb kBlue{0, 0, 255};
const Rgb kWhite{255, 255, 255};
const Rgb kBlack{0, 0, 0};

class TexturePixelTest : public corvellan::test::DrawFixture
{
protected:
    void SetUp() override
    {
        DrawFixture::SetUp();
        config.useMipMapping = true;
        config.showMipMaps = false;
        CreateSmall();
        textures = std::make_unique<TextureManager>(&log, &files, &config, nullptr, renderSystem.get());
    }

    void TearDown() override
    {
        textures.reset();
        DrawFixture::TearDown();
    }

    // A texture of a picture given bottom row first, 24-bit R, G, B.
    Texture2D* Make(const std::string& name, std::uint32_t width, std::uint32_t height,
                    const std::vector<Rgb>& pixels, bool mipMapped = false, Image* opacity = nullptr)
    {
        auto* image = new Image;
        image->Create(&log, width, height, 24);
        for (std::size_t i = 0; i < pixels.size(); ++i)
        {
            image->GetPixels()[3 * i] = static_cast<std::uint8_t>(pixels[i].r);
            image->GetPixels()[3 * i + 1] = static_cast<std::uint8_t>(pixels[i].g);
            image->GetPixels()[3 * i + 2] = static_cast<std::uint8_t>(pixels[i].b);
        }
        return textures->CreateTexture(true, mipMapped, name, opacity ? name + "_opacity" : "", image, opacity);
    }

    static Image* Opacity(std::uint32_t width, std::uint32_t height, float value)
    {
        auto* image = new Image;
        image->Create(nullptr, width, height, 8);
        image->Fill(Color(value, value, value, 1.0f));
        return image;
    }

    // Red, green / blue, white: row 0 is red, green.
    Texture2D* Corners() { return Make("corners", 2, 2, {kRed, kGreen, kBlue, kWhite}); }
    Texture2D* Checker(const std::string& name) { return Make(name, 2, 2, {kBlack, kWhite, kWhite, kBlack}); }

    void UseTexture(Texture2D* texture, std::uint32_t filter, std::uint32_t stage = 0)
    {
        renderSystem->SetTexture(stage, texture);
        renderSystem->SetTextureFilter(stage, filter);
    }

    std::unique_ptr<TextureManager> textures;
};

TEST_F(TexturePixelTest, ImageRowZeroIsVZeroAtTheBottom)
{
    UseTexture(Corners(), TextureFilterPoint);
    Mesh quad = FullScreen(0xFFFFFFFFu, -0.5f, false);
    DrawFrame({&quad});
    EXPECT_TRUE(Near(At(-0.5f, -0.5f), kRed)) << Describe(At(-0.5f, -0.5f));
    EXPECT_TRUE(Near(At(0.5f, -0.5f), kGreen)) << Describe(At(0.5f, -0.5f));
    EXPECT_TRUE(Near(At(-0.5f, 0.5f), kBlue)) << Describe(At(-0.5f, 0.5f));
    EXPECT_TRUE(Near(At(0.5f, 0.5f), kWhite)) << Describe(At(0.5f, 0.5f));

    // Vertex colours tint the texture.
    Mesh tinted = FullScreen(0xFF808080u);
    DrawFrame({&tinted});
    EXPECT_TRUE(Near(At(0.5f, 0.5f), Rgb{128, 128, 128})) << Describe(At(0.5f, 0.5f));
}

TEST_F(TexturePixelTest, FiltersSampleThePictureAsTheEngineAsks)
{
    Texture2D* checker = Checker("checker");
    Mesh quad = FullScreen(0xFFFFFFFFu, -0.5f, false);
    // Near the edges only the edge texels count.
    renderSystem->SetTextureAdressU(0, TextureAddressClamp);
    renderSystem->SetTextureAdressV(0, TextureAddressClamp);
    // Between the texel columns bilinear filtering mixes, point sampling does not.
    const struct
    {
        std::uint32_t filter;
        bool mixed;
    } rows[] = {{TextureFilterPoint, false}, {TextureFilterBilinear, true}, {TextureFilterTrilinear, true}};
    for (const auto& row : rows)
    {
        UseTexture(checker, row.filter);
        DrawFrame({&quad});
        const Rgb centre = At(0.0f, -0.5f);
        const bool pure = Near(centre, kBlack) || Near(centre, kWhite);
        EXPECT_EQ(!pure, row.mixed) << row.filter << Describe(centre);
        // A texture without mip levels still shows under the trilinear filter.
        EXPECT_TRUE(Near(At(-0.9f, -0.9f), kBlack)) << row.filter << Describe(At(-0.9f, -0.9f));
        EXPECT_TRUE(Near(At(0.9f, -0.9f), kWhite)) << row.filter << Describe(At(0.9f, -0.9f));
    }
}

TEST_F(TexturePixelTest, AddressModesClampOrRepeat)
{
    UseTexture(Corners(), TextureFilterPoint);
    Mesh twice = Quad({Corner{-1.0f, -1.0f, 0xFFFFFFFFu, 0.0f, 0.0f}, Corner{1.0f, -1.0f, 0xFFFFFFFFu, 2.0f, 0.0f},
                       Corner{1.0f, 1.0f, 0xFFFFFFFFu, 2.0f, 2.0f}, Corner{-1.0f, 1.0f, 0xFFFFFFFFu, 0.0f, 2.0f}},
                      -0.5f, false);
    // At uv (1.25, 1.25): the picture again (red) or its top-right edge (white).
    const struct
    {
        std::uint32_t mode;
        Rgb expected;
    } rows[] = {{TextureAddressClamp, kWhite}, {TextureAddressWrap, kRed}, {7, kRed}};
    for (const auto& row : rows)
    {
        renderSystem->SetTextureAdressU(0, row.mode);
        renderSystem->SetTextureAdressV(0, row.mode);
        DrawFrame({&twice});
        EXPECT_TRUE(Near(At(0.25f, 0.25f), row.expected)) << row.mode << Describe(At(0.25f, 0.25f));
        EXPECT_TRUE(Near(At(-0.75f, -0.75f), kRed)) << row.mode;
    }
    // Only U clamped: (1.25 -> the right edge, 0.25 -> wrapped) is green.
    renderSystem->SetTextureAdressU(0, TextureAddressClamp);
    renderSystem->SetTextureAdressV(0, TextureAddressWrap);
    DrawFrame({&twice});
    EXPECT_TRUE(Near(At(0.25f, 0.25f), kGreen)) << Describe(At(0.25f, 0.25f));
}

TEST_F(TexturePixelTest, TheTextureTransformScalesAndShiftsCoordinates)
{
    // A 4 x 4 picture whose upper-right quarter is red, green / blue, white.
    std::vector<Rgb> pixels(16, kBlack);
    pixels[2 * 4 + 2] = kRed;
    pixels[2 * 4 + 3] = kGreen;
    pixels[3 * 4 + 2] = kBlue;
    pixels[3 * 4 + 3] = kWhite;
    UseTexture(Make("quarters", 4, 4, pixels), TextureFilterPoint);
    renderSystem->SetTextureTransform(0, 0.5f, 0.5f, 0.5f, 0.5f);
    Mesh quad = FullScreen(0xFFFFFFFFu, -0.5f, false);
    DrawFrame({&quad});
    EXPECT_TRUE(Near(At(-0.5f, -0.5f), kRed)) << Describe(At(-0.5f, -0.5f));
    EXPECT_TRUE(Near(At(0.5f, -0.5f), kGreen)) << Describe(At(0.5f, -0.5f));
    EXPECT_TRUE(Near(At(-0.5f, 0.5f), kBlue)) << Describe(At(-0.5f, 0.5f));
    EXPECT_TRUE(Near(At(0.5f, 0.5f), kWhite)) << Describe(At(0.5f, 0.5f));
}

TEST_F(TexturePixelTest, SamplerStatesFollowTheStageToEveryBoundTexture)
{
    Texture2D* first = Checker("first");
    Texture2D* second = Checker("second");
    Mesh quad = FullScreen(0xFFFFFFFFu, -0.5f, false);
    const auto pure = [&] {
        const Rgb centre = At(0.0f, -0.5f);
        return Near(centre, kBlack) || Near(centre, kWhite);
    };
    UseTexture(first, TextureFilterBilinear);
    DrawFrame({&quad});
    EXPECT_FALSE(pure());
    UseTexture(second, TextureFilterPoint);
    DrawFrame({&quad});
    EXPECT_TRUE(pure());
    UseTexture(first, TextureFilterPoint);
    DrawFrame({&quad});
    EXPECT_TRUE(pure()) << "the first texture kept its own linear filter";
}

TEST_F(TexturePixelTest, TheSecondStageMultipliesColourAndKeepsTheFirstStagesAlpha)
{
    ASSERT_GE(renderSystem->textureStageCount, 2u);
    // Stage 0: (200, 100, 50) at alpha 0.5; stage 1: (128, 255, 0) at alpha 0.
    Texture2D* base = Make("base", 2, 2, std::vector<Rgb>(4, Rgb{200, 100, 50}), false, Opacity(2, 2, 0.502f));
    Texture2D* detail = Make("detail", 2, 2, std::vector<Rgb>(4, Rgb{128, 255, 0}), false, Opacity(2, 2, 0.0f));
    UseTexture(base, TextureFilterPoint, 0);
    UseTexture(detail, TextureFilterPoint, 1);
    renderSystem->SetAlphaBlend(true);
    renderSystem->SetBlend(BlendSrcAlpha, BlendInvSrcAlpha);
    Mesh quad = FullScreen(0xFFFFFFFFu, -0.5f, false);
    DrawFrame({&quad});
    // (200 x 128 / 255, 100, 0), then half of it over black.
    EXPECT_TRUE(Near(At(0.0f, 0.0f), Rgb{50, 50, 0}, 2)) << Describe(At(0.0f, 0.0f));

    // Without the second texture the first shows alone.
    renderSystem->SetTexture(1, nullptr);
    renderSystem->SetAlphaBlend(false);
    DrawFrame({&quad});
    EXPECT_TRUE(Near(At(0.0f, 0.0f), Rgb{200, 100, 50})) << Describe(At(0.0f, 0.0f));
}

TEST_F(TexturePixelTest, ShownMipLevelsAreRedBelowTheTop)
{
    config.showMipMaps = true;
    Texture2D* texture = Make("mips", 64, 64, std::vector<Rgb>(64 * 64, kBlue), true);
    renderSystem->SetTexture(0, texture);
    // 64 x 64 texels on 8 x 8 pixels.
    Mesh small = Rect(-1.0f, -1.0f, -1.0f + 16.0f / kWidth, -1.0f + 16.0f / kHeight, 0xFFFFFFFFu, -0.5f, false);
    const struct
    {
        std::uint32_t filter;
        Rgb expected;
    } rows[] = {{TextureFilterTrilinear, kRed}, {TextureFilterBilinear, kBlue}};
    for (const auto& row : rows)
    {
        renderSystem->SetTextureFilter(0, row.filter);
        DrawFrame({&small});
        EXPECT_TRUE(Near(Pixel(4, kHeight - 4), row.expected)) << row.filter << Describe(Pixel(4, kHeight - 4));
    }
}

} // namespace
