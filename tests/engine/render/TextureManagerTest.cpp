#include "engine/core/Color.h"
#include "engine/render/Image.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "tests/engine/render/ImageTestSupport.h"
#include "tests/engine/render/RenderFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace OrvaneEngine;

namespace
{

// An image that counts its own destructions, to see who deletes kept pictures.
class CountedImage : public Image
{
public:
    explicit CountedImage(int& deletions_) : deletions(deletions_) {}
    ~CountedImage() override { ++deletions; }

private:
    int& deletions;
};

// What the texture factory was handed for each new texture.
struct Handed
{
    std::string key;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bits = 0;
    corvellan::test::Bytes firstPixel;
    bool opacity = false;
    std::uint32_t opacityWidth = 0;
    std::uint32_t opacityHeight = 0;
    corvellan::test::Bytes opacityFirstPixel;
};

class HandingRenderSystem : public corvellan::test::RecordingRenderSystem
{
public:
    using RecordingRenderSystem::RecordingRenderSystem;

    std::unique_ptr<Texture2D> CreateTexture(TextureManager* textureManager, const std::string& key, Image* diffuse,
                                             Image* opacity, bool mipMapped) override
    {
        Handed handed;
        handed.key = key;
        handed.width = diffuse->GetWidth();
        handed.height = diffuse->GetHeight();
        handed.bits = diffuse->GetBitsPerPixel();
        handed.firstPixel = corvellan::test::PixelAt(*diffuse, 0, 0);
        if (opacity)
        {
            handed.opacity = true;
            handed.opacityWidth = opacity->GetWidth();
            handed.opacityHeight = opacity->GetHeight();
            handed.opacityFirstPixel = corvellan::test::PixelAt(*opacity, 0, 0);
        }
        handedOver.push_back(handed);
        return RecordingRenderSystem::CreateTexture(textureManager, key, diffuse, opacity, mipMapped);
    }

    std::vector<Handed> handedOver;
};

class TextureManagerTest : public corvellan::test::RecordingRenderFixture
{
protected:
    TextureManagerTest() { config.useMipMapping = true; }

    // A picture of one colour written to the data folder.
    void WriteFile(const std::string& name, std::uint32_t width, std::uint32_t height, std::uint32_t bits,
                   const Color& color)
    {
        Image image;
        image.Create(&log, width, height, bits);
        image.Fill(color);
        ASSERT_TRUE(image.Save(&files, name));
        log.ClearMessages();
    }

    static Image* NewImage(std::uint32_t width, std::uint32_t height, std::uint32_t bits = 24)
    {
        auto* image = new Image;
        image->Create(nullptr, width, height, bits);
        image->Fill(Color(0.0f, 0.5f, 1.0f, 1.0f));
        return image;
    }

    std::vector<std::string> Warnings() { return corvellan::test::ErrorTexts(log, 1); }
    std::vector<std::string> Errors() { return corvellan::test::ErrorTexts(log, 2); }

    HandingRenderSystem devices{&log, &config};
    TextureManager manager{&log, &files, &config, nullptr, &devices};
};

TEST_F(TextureManagerTest, KeysHoldTheLowerCaseNamesAndTheWish)
{
    struct Row
    {
        const char* diffuse;
        const char* opacity;
        bool mipMapped;
        const char* key;
    };
    const Row rows[] = {
        {"Wall.TGA", "Wall_A.tga", true, "diffuse_wall.tga_plus_opacity_wall_a.tga_with_mip_mapping"},
        {"Wall.TGA", "", true, "diffuse_wall.tga_with_mip_mapping"},
        {"Data\\Sky.BMP", "", false, "diffuse_data\\sky.bmp"},
        {"a.tga", "A.TGA", false, "diffuse_a.tga_plus_opacity_a.tga"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(TextureManager::MakeTextureKey(row.diffuse, row.opacity, row.mipMapped), row.key) << row.diffuse;
}

TEST_F(TextureManagerTest, FileTexturesAreSharedByKeyAndCounted)
{
    WriteFile("wall.tga", 4, 4, 24, Color(1.0f, 0.0f, 0.0f, 1.0f));
    WriteFile("wall_a.tga", 4, 4, 24, Color(0.5f, 0.5f, 0.5f, 1.0f));

    Texture2D* first = manager.LoadTexture(true, "Wall.TGA", "Wall_A.tga");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetKey(), "diffuse_wall.tga_plus_opacity_wall_a.tga_with_mip_mapping");
    Texture2D* second = manager.LoadTexture(true, "wall.tga", "WALL_A.TGA");
    EXPECT_EQ(second, first);
    EXPECT_EQ(first->referenceCount, 2);
    EXPECT_EQ(devices.handedOver.size(), 1u);

    manager.ReleaseTexture(first);
    EXPECT_EQ(manager.GetTextureCount(), 1u);
    EXPECT_EQ(first->referenceCount, 1);
    manager.ReleaseTexture(first);
    EXPECT_EQ(manager.GetTextureCount(), 0u);

    // Null and strangers are ignored.
    Texture2D stranger(&log, &config, &manager, "diffuse_wall.tga", false);
    manager.ReleaseTexture(nullptr);
    manager.ReleaseTexture(&stranger);
    EXPECT_EQ(stranger.referenceCount, 1);
}

TEST_F(TextureManagerTest, TheMipMappingWishMakesAnotherTextureEvenWhileMipMappingIsOff)
{
    WriteFile("stone.bmp", 8, 8, 24, Color(0.0f, 1.0f, 0.0f, 1.0f));
    for (const bool use : {true, false})
    {
        config.useMipMapping = use;
        Texture2D* plain = manager.LoadTexture(false, "stone.bmp", "");
        Texture2D* mipMapped = manager.LoadTexture(true, "stone.bmp", "");
        EXPECT_NE(plain, mipMapped);
        EXPECT_FALSE(plain->mipMapping);
        EXPECT_EQ(mipMapped->mipMapping, use);
        EXPECT_EQ(manager.GetTextureCount(), 2u);
        manager.ReleaseTexture(plain);
        manager.ReleaseTexture(mipMapped);
    }
}

TEST_F(TextureManagerTest, PicturesAreFittedToPowersOfTwoWithinTheDeviceLimits)
{
    struct Row
    {
        std::uint32_t width;
        std::uint32_t height;
        std::uint32_t limit;
        std::uint32_t wantedWidth;
        std::uint32_t wantedHeight;
        bool warned;
    };
    const Row rows[] = {
        {300, 200, 2048, 256, 256, true}, // 300 is nearer 256 than 512; 200 nearer 256 than 128
        {384, 384, 2048, 512, 512, true}, // a tie keeps the larger power
        {1024, 1024, 512, 512, 512, false},
        {1, 3, 2048, 1, 4, true},
        {64, 32, 2048, 64, 32, false},
        {5, 7, 4, 4, 4, true},
    };
    for (const Row& row : rows)
    {
        log.ClearMessages();
        devices.maxTextureWidth = row.limit;
        devices.maxTextureHeight = row.limit;
        std::unique_ptr<Image> image(NewImage(row.width, row.height));
        const std::string name = "Pic" + std::to_string(row.width) + "x" + std::to_string(row.height);
        Texture2D* texture = manager.CreateTexture(false, false, name, "", image.get(), nullptr);
        ASSERT_NE(texture, nullptr);
        EXPECT_EQ(image->GetWidth(), row.wantedWidth) << name;
        EXPECT_EQ(image->GetHeight(), row.wantedHeight) << name;
        EXPECT_EQ(devices.handedOver.back().width, row.wantedWidth) << name;
        const std::vector<std::string> expected =
            row.warned ? std::vector<std::string>{"\nWarning: Texture Manager: \"" + name +
                                                  "\" image size should be power of two!\n\n"}
                       : std::vector<std::string>{};
        EXPECT_EQ(Warnings(), expected) << name;
        manager.ReleaseTexture(texture);
    }
}

TEST_F(TextureManagerTest, AnOpacityPictureOfAnotherSizeIsResizedToTheDiffuseOne)
{
    for (const std::uint32_t side : {64u, 100u})
    {
        log.ClearMessages();
        std::unique_ptr<Image> diffuse(NewImage(side, side));
        std::unique_ptr<Image> opacity(NewImage(32, 16, 8));
        Texture2D* texture = manager.CreateTexture(false, false, "Leaf", "LeafMask", diffuse.get(), opacity.get());
        ASSERT_NE(texture, nullptr);
        const std::uint32_t fitted = side == 64 ? 64u : 128u;
        EXPECT_EQ(opacity->GetWidth(), fitted);
        EXPECT_EQ(opacity->GetHeight(), fitted);
        const std::string opacityWarning =
            "\nWarning: Texture Manager: \"LeafMask\" image size should be the same as \"Leaf\"!\n\n";
        std::vector<std::string> expected{opacityWarning};
        if (side == 100)
            expected.insert(expected.begin(),
                            "\nWarning: Texture Manager: \"Leaf\" image size should be power of two!\n\n");
        EXPECT_EQ(Warnings(), expected);
        manager.ReleaseTexture(texture);
    }
}

TEST_F(TextureManagerTest, MissingAndSharedFilesGiveTheFallbacks)
{
    WriteFile("rgb.tga", 2, 2, 24, Color(1.0f, 0.5f, 0.0f, 1.0f));
    WriteFile("rgba.tga", 2, 2, 32, Color(1.0f, 0.5f, 0.0f, 0.25f));

    // A missing diffuse file: the checkerboard, reported once by the reader.
    manager.LoadTexture(false, "missing.tga", "");
    ASSERT_EQ(devices.handedOver.size(), 1u);
    EXPECT_EQ(devices.handedOver[0].width, 64u);
    EXPECT_EQ(devices.handedOver[0].height, 64u);
    EXPECT_EQ(devices.handedOver[0].firstPixel, (corvellan::test::Bytes{255, 255, 0}));
    EXPECT_EQ(Errors().size(), 1u);

    // A missing opacity file: no opacity, not a checkerboard.
    log.ClearMessages();
    manager.LoadTexture(false, "rgb.tga", "gone.tga");
    EXPECT_FALSE(devices.handedOver[1].opacity);
    EXPECT_EQ(devices.handedOver[1].width, 2u);
    EXPECT_EQ(Errors().size(), 1u);

    // The same name twice: the opacity is a copy of the diffuse picture.
    manager.LoadTexture(false, "rgba.tga", "rgba.tga");
    manager.LoadTexture(false, "rgb.tga", "rgb.tga");
    ASSERT_TRUE(devices.handedOver[2].opacity);
    EXPECT_EQ(devices.handedOver[2].opacityFirstPixel, (corvellan::test::Bytes{255, 127, 0, 63}));
    ASSERT_TRUE(devices.handedOver[3].opacity);
    EXPECT_EQ(devices.handedOver[3].opacityFirstPixel, (corvellan::test::Bytes{255, 127, 0}));
}

TEST_F(TextureManagerTest, KeptPicturesLiveAsLongAsTheirTexture)
{
    int deletions = 0;
    auto* diffuse = new CountedImage(deletions);
    diffuse->Create(&log, 4, 4, 24);
    auto* opacity = new CountedImage(deletions);
    opacity->Create(&log, 4, 4, 8);
    Texture2D* texture = manager.CreateTexture(true, true, "Piece7", "Piece7Mask", diffuse, opacity);
    ASSERT_NE(texture, nullptr);

    // The same key again: the new pictures were handed over and go at once.
    auto* again = new CountedImage(deletions);
    again->Create(&log, 4, 4, 24);
    EXPECT_EQ(manager.CreateTexture(true, true, "Piece7", "Piece7Mask", again, nullptr), texture);
    EXPECT_EQ(deletions, 1);

    Image* keptDiffuse = nullptr;
    Image* keptOpacity = nullptr;
    bool loaded = true;
    ASSERT_TRUE(manager.GetImages(texture, keptDiffuse, keptOpacity, loaded));
    EXPECT_EQ(keptDiffuse, diffuse);
    EXPECT_EQ(keptOpacity, opacity);
    EXPECT_FALSE(loaded);

    manager.ReleaseTexture(texture);
    EXPECT_EQ(deletions, 1);
    manager.ReleaseTexture(texture);
    EXPECT_EQ(deletions, 3);
    EXPECT_EQ(manager.GetTextureCount(), 0u);

    // Pictures given without keeping stay the caller's.
    CountedImage own(deletions);
    own.Create(&log, 2, 2, 24);
    manager.ReleaseTexture(manager.CreateTexture(false, false, "Own", "", &own, nullptr));
    EXPECT_EQ(deletions, 3);
}

TEST_F(TextureManagerTest, TheManagerDeletesWhatIsLeftWhateverTheCounts)
{
    int deletions = 0;
    {
        TextureManager local(&log, &files, &config, nullptr, &devices);
        auto* diffuse = new CountedImage(deletions);
        diffuse->Create(&log, 2, 2, 24);
        Texture2D* texture = local.CreateTexture(true, false, "Kept", "", diffuse, nullptr);
        local.CreateTexture(false, false, "Kept", "", nullptr, nullptr);
        EXPECT_EQ(texture->referenceCount, 2);
        std::vector<Texture2D*> all{nullptr, nullptr};
        local.GetTextures(all);
        EXPECT_EQ(all, std::vector<Texture2D*>{texture});
    }
    EXPECT_EQ(deletions, 1);
}

TEST_F(TextureManagerTest, RestoredFilePicturesAreFittedAgainWithoutWarnings)
{
    WriteFile("wide.bmp", 300, 200, 24, Color(0.0f, 0.0f, 1.0f, 1.0f));
    WriteFile("mask.bmp", 10, 30, 8, Color(0.5f, 0.5f, 0.5f, 1.0f));
    Texture2D* texture = manager.LoadTexture(false, "wide.bmp", "mask.bmp");
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(Warnings().size(), 2u);

    log.ClearMessages();
    Image* diffuse = nullptr;
    Image* opacity = nullptr;
    bool loaded = false;
    ASSERT_TRUE(manager.GetImages(texture, diffuse, opacity, loaded));
    std::unique_ptr<Image> ownedDiffuse(diffuse);
    std::unique_ptr<Image> ownedOpacity(opacity);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(diffuse->GetWidth(), 256u);
    EXPECT_EQ(diffuse->GetHeight(), 256u);
    ASSERT_NE(opacity, nullptr);
    EXPECT_EQ(opacity->GetWidth(), 256u);
    EXPECT_EQ(opacity->GetHeight(), 256u);
    EXPECT_TRUE(Warnings().empty());

    Texture2D stranger(&log, &config, &manager, "diffuse_nothing", false);
    EXPECT_FALSE(manager.GetImages(&stranger, diffuse, opacity, loaded));
    EXPECT_EQ(diffuse, nullptr);
}

TEST_F(TextureManagerTest, BadPicturesNeverMakeABrokenTexture)
{
    // No diffuse picture at all: no texture, an error line, and a handed-over
    // opacity picture is not leaked.
    int deletions = 0;
    auto* opacity = new CountedImage(deletions);
    opacity->Create(&log, 2, 2, 8);
    EXPECT_EQ(manager.CreateTexture(true, false, "Nothing", "Mask", nullptr, opacity), nullptr);
    EXPECT_EQ(deletions, 1);
    EXPECT_EQ(Errors().size(), 1u);
    EXPECT_EQ(manager.GetTextureCount(), 0u);

    // An empty picture draws as the placeholder; an empty opacity picture is none.
    Image empty;
    Image emptyOpacity;
    ASSERT_NE(manager.CreateTexture(false, false, "Empty", "EmptyMask", &empty, &emptyOpacity), nullptr);
    EXPECT_EQ(devices.handedOver.back().width, 64u);
    EXPECT_FALSE(devices.handedOver.back().opacity);
}

} // namespace
