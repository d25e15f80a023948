#include "engine/core/Color.h"
#include "engine/core/Error.h"
#include "engine/render/Image.h"
#include "engine/render/Texture2D_D3D7.h"
#include "engine/render/TextureManager.h"
#include "platform/d3d7/DeviceTypes.h"
#include "platform/d3d7/Guids.h"
#include "platform/d3d7/IDirectDrawSurface7.h"
#include "platform/d3d7/Results.h"
#include "tests/engine/render/DrawFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

using namespace OrvaneEngine;
using corvellan::test::Describe;
using corvellan::test::Mesh;
using corvellan::test::Near;
using corvellan::test::Rgb;

namespace
{

struct Level
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bits = 0;
    d3d7::DDSURFACEDESC2 desc;
    // Packed pixels, top-down as the surface holds them.
    std::vector<std::uint32_t> pixels;
};

class Texture2DD3D7Test : public corvellan::test::DrawFixture
{
protected:
    void SetUp() override
    {
        DrawFixture::SetUp();
        config.useMipMapping = true;
        config.showMipMaps = false;
    }

    void TearDown() override
    {
        textures.reset();
        DrawFixture::TearDown();
    }

    void Start(std::uint32_t bits = 32)
    {
        CreateSmall(bits);
        textures = std::make_unique<TextureManager>(&log, &files, &config, nullptr, renderSystem.get());
    }

    static Image* Picture(std::uint32_t width, std::uint32_t height, std::uint32_t bits, const Color& color)
    {
        auto* image = new Image;
        image->Create(nullptr, width, height, bits);
        image->Fill(color);
        return image;
    }

    Texture2D_D3D7* Make(const std::string& name, Image* diffuse, Image* opacity = nullptr, bool mipMapped = false)
    {
        return static_cast<Texture2D_D3D7*>(
            textures->CreateTexture(true, mipMapped, name, opacity ? name + "_opacity" : "", diffuse, opacity));
    }

    // Every level of the texture's surface, read through Lock.
    static std::vector<Level> Levels(Texture2D_D3D7* texture)
    {
        std::vector<Level> levels;
        d3d7::IDirectDrawSurface7* surface = texture->surface;
        while (surface)
        {
            Level level;
            level.desc.size = sizeof(level.desc);
            EXPECT_EQ(surface->GetSurfaceDesc(&level.desc), d3d7::DD_OK);
            d3d7::DDSURFACEDESC2 locked;
            locked.size = sizeof(locked);
            EXPECT_EQ(surface->Lock(nullptr, &locked, d3d7::DDLOCK_WAIT, nullptr), d3d7::DD_OK);
            level.width = locked.width;
            level.height = locked.height;
            level.bits = locked.pixelFormat.rgbBitCount;
            const std::uint32_t bytes = level.bits / 8;
            for (std::uint32_t y = 0; y < locked.height; ++y)
            {
                for (std::uint32_t x = 0; x < locked.width; ++x)
                {
                    std::uint32_t pixel = 0;
                    std::memcpy(&pixel,
                                static_cast<const std::uint8_t*>(locked.surface) +
                                    static_cast<std::size_t>(y) * locked.pitch + x * bytes,
                                bytes);
                    level.pixels.push_back(pixel);
                }
            }
            surface->Unlock(nullptr);
            levels.push_back(std::move(level));
            d3d7::DDSCAPS2 caps;
            caps.caps = d3d7::DDSCAPS_TEXTURE | d3d7::DDSCAPS_MIPMAP;
            d3d7::IDirectDrawSurface7* next = nullptr;
            if (surface->GetAttachedSurface(&caps, &next) != d3d7::DD_OK)
                break;
            next->Release();
            surface = next;
        }
        return levels;
    }

    // The texture drawn over the whole back buffer; the colour in its middle.
    Rgb Drawn(Texture2D* texture)
    {
        renderSystem->SetTexture(0, texture);
        renderSystem->SetTextureFilter(0, TextureFilterPoint);
        Mesh quad = FullScreen(0xFFFFFFFFu, -0.5f, false);
        DrawFrame({&quad});
        return At(0.0f, 0.0f);
    }

    std::unique_ptr<TextureManager> textures;
};

TEST_F(Texture2DD3D7Test, MipChainsHaveEveryLevelDownToOnePixel)
{
    Start();
    Texture2D_D3D7* texture = Make("strip", Picture(256, 64, 24, Color(0.0f, 1.0f, 0.0f, 1.0f)), nullptr, true);
    const std::vector<Level> levels = Levels(texture);
    const std::pair<std::uint32_t, std::uint32_t> sizes[] = {{256, 64}, {128, 32}, {64, 16}, {32, 8}, {16, 4},
                                                             {8, 2},    {4, 1},    {2, 1},   {1, 1}};
    ASSERT_EQ(levels.size(), 9u);
    std::uint32_t memory = 0;
    for (std::size_t i = 0; i < levels.size(); ++i)
    {
        EXPECT_EQ(levels[i].width, sizes[i].first) << i;
        EXPECT_EQ(levels[i].height, sizes[i].second) << i;
        // A 24-bit picture goes to a 32-bit surface without alpha: X, R, G, B.
        EXPECT_EQ(levels[i].pixels[0] & 0x00FFFFFFu, 0x0000FF00u) << i;
        memory += sizes[i].first * sizes[i].second * 3;
    }
    EXPECT_EQ(texture->memorySize, memory);
    EXPECT_EQ(textures->GetUsedMemorySize(), memory);
    EXPECT_EQ(texture->width, 256u);

    // Without the wish, or with mip-mapping off, one level.
    config.useMipMapping = false;
    Texture2D_D3D7* single = Make("single", Picture(16, 16, 32, Color(1.0f, 1.0f, 1.0f, 0.5f)), nullptr, true);
    EXPECT_EQ(Levels(single).size(), 1u);
    EXPECT_EQ(single->memorySize, 16u * 16u * 4u);
    EXPECT_TRUE(Entries(2).empty());
}

TEST_F(Texture2DD3D7Test, LowerLevelsAverageTwoByTwoPixels)
{
    Start();
    auto* picture = new Image;
    picture->Create(nullptr, 2, 2, 24);
    const std::uint8_t bytes[] = {0, 10, 255, 1, 20, 255, 2, 30, 0, 3, 41, 0};
    std::memcpy(picture->GetPixels(), bytes, sizeof(bytes));
    const std::vector<Level> levels = Levels(Make("average", picture, nullptr, true));
    ASSERT_EQ(levels.size(), 2u);
    // (a + b + c + d + 2) >> 2 per byte: R 2, G 25, B 128.
    EXPECT_EQ(levels[1].pixels[0] & 0x00FFFFFFu, 0x00021980u);
    // Surface row 0 is image row 0.
    EXPECT_EQ(levels[0].pixels[0] & 0x00FFFFFFu, 0x00000AFFu);
}

TEST_F(Texture2DD3D7Test, ShownMipLevelsAreRedFromTheSecondLevelOn)
{
    Start();
    config.showMipMaps = true;
    const struct
    {
        std::uint32_t bits;
        std::uint32_t level0;
        std::uint32_t lower;
    } rows[] = {
        {24, 0x000000FFu, 0x00FF0000u},
        {32, 0xFF0000FFu, 0xFFFF0000u},
        // A grey picture's red is grey 56.
        {8, 0x007F7F7Fu, 0x00383838u},
    };
    for (const auto& row : rows)
    {
        const Color color = row.bits == 8 ? Color(0.5f, 0.5f, 0.5f, 1.0f) : Color(0.0f, 0.0f, 1.0f, 1.0f);
        Texture2D_D3D7* texture =
            Make("shown" + std::to_string(row.bits), Picture(8, 8, row.bits, color), nullptr, true);
        const std::vector<Level> levels = Levels(texture);
        ASSERT_EQ(levels.size(), 4u);
        const std::uint32_t mask = row.bits == 32 ? 0xFFFFFFFFu : 0x00FFFFFFu;
        EXPECT_EQ(levels[0].pixels[0] & mask, row.level0) << row.bits;
        for (std::size_t i = 1; i < levels.size(); ++i)
            EXPECT_EQ(levels[i].pixels[0] & mask, row.lower) << row.bits << " level " << i;
    }
}

TEST_F(Texture2DD3D7Test, OpacityPicturesBecomeTheAlpha)
{
    Start();
    const struct
    {
        std::uint32_t bits;
        Color color;
        std::uint32_t alpha;
    } rows[] = {
        {8, Color(0.25f, 0.25f, 0.25f, 1.0f), 63},
        {24, Color(0.5f, 0.0f, 1.0f, 1.0f), 127},  // byte 0, the red
        {32, Color(0.0f, 0.0f, 0.0f, 0.75f), 191}, // byte 3
    };
    for (const auto& row : rows)
    {
        Texture2D_D3D7* texture = Make("alpha" + std::to_string(row.bits),
                                       Picture(4, 4, 24, Color(1.0f, 0.0f, 0.0f, 1.0f)), Picture(4, 4, row.bits, row.color));
        const std::vector<Level> levels = Levels(texture);
        ASSERT_FALSE(levels.empty());
        EXPECT_EQ(levels[0].pixels[0], row.alpha << 24 | 0x00FF0000u) << row.bits;
        EXPECT_EQ(texture->memorySize, 4u * 4u * 4u);
    }
}

TEST_F(Texture2DD3D7Test, TheFormatIsTheFirstTheDeviceListsThatFits)
{
    const auto formats = [](std::vector<std::size_t> picks) {
        const std::vector<d3d7::DDPIXELFORMAT> standard = d3d7::testing::GetDefaultMachine()
                                                              .adapters[0]
                                                              .devices[0]
                                                              .textureFormats;
        std::vector<d3d7::DDPIXELFORMAT> out;
        for (std::size_t pick : picks)
            out.push_back(standard.at(pick));
        return out;
    };
    // The standard list: 8888, X888, 565, 1555, 4444, luminance, FourCC.
    const struct
    {
        std::vector<std::size_t> offered;
        bool alpha;
        std::uint32_t bits;
        std::uint32_t redMask;
        std::uint32_t alphaMask;
    } rows[] = {
        {{5, 4, 6, 0}, true, 32, 0x00FF0000u, 0xFF000000u},
        {{2, 3, 4}, false, 16, 0xF800u, 0},
        {{2, 3, 4}, true, 16, 0x7C00u, 0x8000u},
        {{0, 1}, false, 32, 0x00FF0000u, 0},
    };
    for (const auto& row : rows)
    {
        d3d7::MachineDescription machine = MachineOnDesktop(1024, 768);
        for (d3d7::DeviceDescription& device : machine.adapters[0].devices)
            device.textureFormats = formats(row.offered);
        d3d7::testing::SetMachine(machine);
        textures.reset();
        renderSystem.reset();
        window.reset();
        CreateSmallOnMachine();
        textures = std::make_unique<TextureManager>(&log, &files, &config, nullptr, renderSystem.get());
        Texture2D_D3D7* texture = Make("format", Picture(2, 2, 24, Color(1.0f, 0.502f, 0.0f, 1.0f)),
                                       row.alpha ? Picture(2, 2, 8, Color(1, 1, 1, 1)) : nullptr);
        const std::vector<Level> levels = Levels(texture);
        ASSERT_FALSE(levels.empty());
        EXPECT_EQ(levels[0].desc.pixelFormat.rgbBitCount, row.bits);
        EXPECT_EQ(levels[0].desc.pixelFormat.redMask, row.redMask);
        EXPECT_EQ(levels[0].desc.pixelFormat.alphaMask, row.alphaMask);
        if (row.bits == 16 && !row.alpha)
        {
            // 5-6-5 keeps (255, 128, 0) as (255, 130, 0) once widened again.
            EXPECT_TRUE(Near(Drawn(texture), Rgb{255, 130, 0})) << Describe(Drawn(texture));
        }
    }

    // Nothing that fits: the program ends.
    d3d7::MachineDescription none = MachineOnDesktop(1024, 768);
    for (d3d7::DeviceDescription& device : none.adapters[0].devices)
        device.textureFormats = formats({5, 4, 6});
    d3d7::testing::SetMachine(none);
    textures.reset();
    renderSystem.reset();
    window.reset();
    CreateSmallOnMachine();
    textures = std::make_unique<TextureManager>(&log, &files, &config, nullptr, renderSystem.get());
    try
    {
        Make("unplaceable", Picture(2, 2, 24, Color(1, 1, 1, 1)));
        ADD_FAILURE() << "a texture without a format was made";
    }
    catch (const FatalError& error)
    {
        EXPECT_EQ(error.GetText(), "Direct3D Subsystem (Texture2D_D3D7::CreateSurface): Failed to find texture format");
    }
}

TEST_F(Texture2DD3D7Test, StagingSurfacesThatAreBusyOrRefusedLeaveAUsableTexture)
{
    Start();
    // Still drawing three times, then the lock succeeds.
    d3d7::testing::FailCall("Lock", d3d7::DDERR_WASSTILLDRAWING, 3);
    Texture2D_D3D7* busy = Make("busy", Picture(2, 2, 24, Color(0.0f, 0.0f, 1.0f, 1.0f)));
    EXPECT_TRUE(Entries(2).empty());
    EXPECT_TRUE(Near(Drawn(busy), Rgb{0, 0, 255}));

    // The texture surface is made; the staging surface after it is refused.
    log.ClearMessages();
    d3d7::testing::FailCall("CreateSurface", d3d7::DDERR_OUTOFMEMORY, 1, 1);
    Texture2D_D3D7* refused = Make("refused", Picture(2, 2, 24, Color(0.0f, 0.0f, 1.0f, 1.0f)));
    ASSERT_NE(refused->surface, nullptr);
    EXPECT_EQ(CountEntries(2, "Direct3D Subsystem (Texture2D_D3D7::CreateSurface): "), 1u);
    EXPECT_TRUE(Near(Drawn(refused), Rgb{0, 0, 0}));

    // A staging surface that cannot be locked.
    log.ClearMessages();
    d3d7::testing::FailCall("Lock", d3d7::DDERR_SURFACEBUSY);
    Texture2D_D3D7* locked = Make("locked", Picture(2, 2, 24, Color(0.0f, 0.0f, 1.0f, 1.0f)));
    EXPECT_EQ(CountEntries(2, "Direct3D Subsystem (Texture2D_D3D7::CreateSurface): "), 1u);
    EXPECT_TRUE(Near(Drawn(locked), Rgb{0, 0, 0}));
}

TEST_F(Texture2DD3D7Test, SurfacesAreManagedOnHardwareDevicesAndInMemoryOtherwise)
{
    for (const bool software : {false, true})
    {
        textures.reset();
        renderSystem.reset();
        window.reset();
        if (software)
            d3d7::testing::FailCall("CreateDevice", d3d7::DDERR_GENERIC);
        Start();
        Texture2D_D3D7* texture = Make("placed", Picture(2, 2, 24, Color(1, 1, 1, 1)));
        const std::vector<Level> levels = Levels(texture);
        ASSERT_FALSE(levels.empty());
        EXPECT_EQ((levels[0].desc.caps.caps2 & d3d7::DDSCAPS2_TEXTUREMANAGE) != 0, !software);
        EXPECT_EQ((levels[0].desc.caps.caps & d3d7::DDSCAPS_SYSTEMMEMORY) != 0, software);
        EXPECT_TRUE(Near(Drawn(texture), Rgb{255, 255, 255}));
    }
}

TEST_F(Texture2DD3D7Test, TheLoadingWorkerMakesTexturesWithoutTouchingGl)
{
    Start();
    const std::uint32_t offThread = d3d7::testing::GetOffThreadGlCalls();
    std::atomic<bool> done{false};
    Texture2D* made = nullptr;
    std::thread worker([&] {
        // Made and released while the main thread presents.
        for (int i = 0; i < 20; ++i)
            textures->ReleaseTexture(Make("passing" + std::to_string(i), Picture(8, 8, 24, Color(1, 0, 0, 1)), nullptr, true));
        made = Make("kept", Picture(8, 8, 24, Color(0.0f, 1.0f, 0.0f, 1.0f)), nullptr, true);
        done = true;
    });
    while (!done)
        renderSystem->SwapBuffers();
    worker.join();
    EXPECT_EQ(d3d7::testing::GetOffThreadGlCalls(), offThread);
    EXPECT_TRUE(Near(Drawn(made), Rgb{0, 255, 0}));
    EXPECT_EQ(d3d7::testing::GetLiveGlTextureCount(), 1);

    // A texture released off the main thread gives its GL name back at the next scene.
    std::thread release([&] { textures->ReleaseTexture(made); });
    release.join();
    EXPECT_EQ(d3d7::testing::GetOffThreadGlCalls(), offThread);
    renderSystem->BeginScene();
    renderSystem->EndScene();
    EXPECT_EQ(d3d7::testing::GetLiveGlTextureCount(), 0);

    Drawn(Make("last", Picture(8, 8, 24, Color(0, 0, 1, 1))));
    EXPECT_EQ(d3d7::testing::GetLiveGlTextureCount(), 1);
    textures.reset();
    EXPECT_EQ(d3d7::testing::GetLiveGlTextureCount(), 0);
}

TEST_F(Texture2DD3D7Test, TexturesComeBackAfterAReset)
{
    Start();
    // A file picture of a size the texture does not take, and an opacity file of another size.
    std::unique_ptr<Image> file(Picture(300, 200, 24, Color(0.0f, 1.0f, 0.0f, 1.0f)));
    ASSERT_TRUE(file->Save(&files, "wide.bmp"));
    std::unique_ptr<Image> mask(Picture(10, 30, 8, Color(1.0f, 1.0f, 1.0f, 1.0f)));
    ASSERT_TRUE(mask->Save(&files, "mask.bmp"));
    auto* fromFile = static_cast<Texture2D_D3D7*>(textures->LoadTexture(false, "wide.bmp", "mask.bmp"));
    Texture2D_D3D7* fromImage = Make("made", Picture(4, 4, 24, Color(1.0f, 0.0f, 0.0f, 1.0f)), nullptr, true);
    EXPECT_TRUE(Near(Drawn(fromFile), Rgb{0, 255, 0}));
    EXPECT_TRUE(Near(Drawn(fromImage), Rgb{255, 0, 0}));
    const std::uint32_t uploads = d3d7::testing::GetTextureUploadCount();
    log.ClearMessages();

    renderSystem->CheckVideoMode();
    renderSystem->Reset(3);
    UseIdentityProjection();
    EXPECT_TRUE(Entries(1).empty()) << "the size warnings are not repeated";
    EXPECT_TRUE(Entries(2).empty());
    const std::vector<Level> fileLevels = Levels(fromFile);
    ASSERT_EQ(fileLevels.size(), 1u);
    EXPECT_EQ(fileLevels[0].width, 256u);
    EXPECT_EQ(fileLevels[0].height, 256u);
    EXPECT_EQ(fileLevels[0].pixels[0], 0xFF00FF00u);
    EXPECT_EQ(Levels(fromImage).size(), 3u);
    EXPECT_TRUE(Near(Drawn(fromFile), Rgb{0, 255, 0}));
    EXPECT_TRUE(Near(Drawn(fromImage), Rgb{255, 0, 0}));
    EXPECT_GT(d3d7::testing::GetTextureUploadCount(), uploads);
}

} // namespace
