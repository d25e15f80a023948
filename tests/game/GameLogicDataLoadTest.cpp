#include "engine/core/Color.h"
#include "game/PuzzlePixels.h"
#include "game/TexturePack.h"
#include "tests/game/PuzzleFolderFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace Mirabel::test
{
namespace
{

using OrvaneEngine::Image;

using GameLogicDataLoadTest = PuzzleFolderFixture;

const std::uint8_t* PixelAt(const Image& image, std::uint32_t x, std::uint32_t y)
{
    return image.GetPixels() + (std::size_t{y} * image.GetWidth() + x) * (image.GetBitsPerPixel() / 8);
}

TEST_F(GameLogicDataLoadTest, ACutPuzzleLoadsItsPiecesColoursAndNamedShadersAsTheCutterMadeThem)
{
    Image picture;
    Photo(picture);
    const content::PuzzleFileRecord record = WriteCut("small", picture, SmallPuzzle());
    const std::unique_ptr<GameLogicData> data = Load("small");

    EXPECT_EQ(data->boardSize.x, 160.0f);
    EXPECT_EQ(data->boardSize.y, 100.0f);
    ASSERT_EQ(data->initialStates.size(), 6u);
    ASSERT_EQ(data->textureNames.size(), 6u);
    ASSERT_EQ(data->samplePoints.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i)
    {
        const content::PuzzleFilePiece& piece = record.pieces[i];
        EXPECT_EQ(data->initialStates[i], piece.state) << i;
        EXPECT_EQ(data->sizes[i].x, static_cast<float>(piece.width)) << i;
        EXPECT_EQ(data->sizes[i].y, static_cast<float>(piece.height)) << i;
        EXPECT_EQ(data->centres[i].x, static_cast<float>(piece.x) + 0.5f * static_cast<float>(piece.width)) << i;
        EXPECT_EQ(data->centres[i].y, static_cast<float>(piece.y) + 0.5f * static_cast<float>(piece.height)) << i;
        EXPECT_EQ(data->pixelPositions[i], std::make_pair(piece.x, piece.y)) << i;
        EXPECT_EQ(data->pixelSizes[i], std::make_pair(piece.width, piece.height)) << i;
        EXPECT_EQ(data->neighbourLists[i], piece.neighbours) << i;
        EXPECT_FALSE(data->samplePoints[i].empty()) << i;
        EXPECT_NE(data->texturePack->FindTexture(data->textureNames[i]), nullptr) << i;
    }
    EXPECT_EQ(std::count(data->initialStates.begin(), data->initialStates.end(), 1u), 1);

    const struct
    {
        const OrvaneEngine::Color& color;
        float r, g, b;
    } colours[] = {{data->boardColor, 1, 0, 0}, {data->lineColor, 0, 1, 0}, {data->tipColor, 0, 0, 1}};
    for (const auto& c : colours)
    {
        EXPECT_EQ(c.color.r, c.r);
        EXPECT_EQ(c.color.g, c.g);
        EXPECT_EQ(c.color.b, c.b);
        EXPECT_EQ(c.color.a, 1.0f);
    }

    EXPECT_EQ(data->overlayShader->stages[0].diffuseName, "puzzle_0_12");
    EXPECT_EQ(data->pictureShader->stages[0].diffuseName, "puzzle_theme_0_12");
    EXPECT_EQ(data->backgroundShader->stages[0].diffuseName, "puzzle_background_0_12");
    EXPECT_EQ(data->overlayShader->flags, OrvaneEngine::ShaderDescriptor::Blended);
    EXPECT_EQ(data->pictureShader->flags, 0u);
    for (const OrvaneEngine::ShaderUser* user : {data->overlayShader, data->pictureShader, data->backgroundShader})
        EXPECT_EQ(user->stages[0].flags, OrvaneEngine::ShaderStage::MipMapped | OrvaneEngine::ShaderStage::OwnerTexture);
    EXPECT_EQ(data->texturePack->GetName(), "puzzle_elements_0_12");
    ASSERT_EQ(data->texturePack->GetPages().size(), 1u);
    EXPECT_EQ(data->texturePack->GetPages()[0]->stages[0].diffuseName, "pack_puzzle_elements_0_12_0");

    // The keeper names its users by registration; the three come after its
    // default user in the order overlay, background, picture.
    std::vector<const OrvaneEngine::ShaderUser*> registered;
    for (const auto& [name, user] : data->GetShaderUsers())
    {
        if (user == data->overlayShader || user == data->pictureShader || user == data->backgroundShader)
            registered.push_back(user);
    }
    EXPECT_EQ(registered, (std::vector<const OrvaneEngine::ShaderUser*>{data->overlayShader, data->backgroundShader,
                                                                          data->pictureShader}));
}

// JPEG is lossy, so every colour is compared with the engine's own decoding
// of the written file.
TEST_F(GameLogicDataLoadTest, TheKeptTexturesHoldTheEdgesThePictureAndItsGreyCopy)
{
    Image picture;
    Photo(picture);
    const content::PuzzleFileRecord record = WriteCut("small", picture, SmallPuzzle());
    Image decoded;
    Decoded("small", decoded);
    const std::unique_ptr<GameLogicData> data = Load("small");

    const Image* overlay = StageImage(data->overlayShader);
    const Image* board = StageImage(data->pictureShader);
    const Image* grey = StageImage(data->backgroundShader);
    ASSERT_TRUE(overlay && board && grey);
    ASSERT_EQ(overlay->GetWidth(), 1024u);
    ASSERT_EQ(overlay->GetHeight(), 512u);
    ASSERT_EQ(board->GetBitsPerPixel(), 24u);
    for (std::uint32_t y = 0; y < 512; y += 7)
    {
        for (std::uint32_t x = 0; x < 1024; x += 5)
        {
            const bool inside = x < 160 && y < 100;
            const std::uint8_t* o = PixelAt(*overlay, x, y);
            ASSERT_EQ(o[0], 0);
            ASSERT_EQ(o[1], 255);
            ASSERT_EQ(o[3], inside ? record.edges[y * 160 + x] : 255) << x << "," << y;
            const std::uint8_t* b = PixelAt(*board, x, y);
            const std::uint8_t* g = PixelAt(*grey, x, y);
            const std::uint8_t* d = inside ? PixelAt(decoded, x, y) : nullptr;
            const int sum = inside ? d[0] + d[1] + d[2] : 3 * 255;
            for (int c = 0; c < 3; ++c)
            {
                ASSERT_EQ(b[c], inside ? d[c] : 255) << x << "," << y;
                ASSERT_EQ(g[c], (6 * (inside ? d[c] : 255) + 8 * sum) / 30) << x << "," << y;
            }
        }
    }

    // Piece pixels on the page: the decoded colour, opaque where the edge map
    // is 0 and clear where it is 255 or outside the piece.
    const Image* page = StageImage(data->texturePack->GetPages()[0]);
    ASSERT_NE(page, nullptr);
    std::size_t opaque = 0;
    std::size_t clear = 0;
    for (std::size_t i = 0; i < record.pieces.size(); ++i)
    {
        const content::PuzzleFilePiece& piece = record.pieces[i];
        const TexturePack::SubTexture* sub = data->texturePack->FindTexture(data->textureNames[i]);
        ASSERT_NE(sub, nullptr);
        const auto left = static_cast<std::uint32_t>(std::lround(sub->uvMin.x * static_cast<float>(page->GetWidth())));
        const auto bottom = static_cast<std::uint32_t>(std::lround(sub->uvMin.y * static_cast<float>(page->GetHeight())));
        EXPECT_EQ(std::lround(sub->uvMax.x * static_cast<float>(page->GetWidth())) - left, piece.width);
        for (std::int32_t r = 0; r < piece.height; ++r)
        {
            for (std::int32_t c = 0; c < piece.width; ++c)
            {
                const std::uint8_t* p = PixelAt(*page, left + static_cast<std::uint32_t>(c),
                                                bottom + static_cast<std::uint32_t>(r));
                const auto x = static_cast<std::uint32_t>(piece.x + c);
                const auto y = static_cast<std::uint32_t>(piece.y + r);
                const std::uint8_t* d = PixelAt(decoded, x, y);
                ASSERT_EQ(p[0], d[0]);
                ASSERT_EQ(p[2], d[2]);
                const bool in = piece.mask[static_cast<std::size_t>(r * piece.width + c)] != 0;
                const std::uint8_t edge = record.edges[y * 160 + x];
                ASSERT_EQ(p[3], in ? 255 - edge : 0) << "piece " << i << " at " << c << "," << r;
                opaque += p[3] == 255;
                clear += p[3] == 0;
            }
        }
    }
    EXPECT_GT(opaque, 0u);
    EXPECT_GT(clear, 0u);
}

TEST_F(GameLogicDataLoadTest, GreyPicturesGiveGreyPiecesAndTheBottomRowStaysAtTheBottom)
{
    Image grey;
    grey.Create(nullptr, 96, 64, 8);
    for (std::uint32_t i = 0; i < 96 * 64; ++i)
        grey.GetPixels()[i] = static_cast<std::uint8_t>((i % 96) * 2 + (i / 96));
    content::PuzzleCutOptions options = SmallPuzzle();
    options.blocked = 0;
    WriteCut("grey", grey, options);

    // Red in the bottom 8 rows (a whole JPEG block row), blue above.
    Image banded;
    banded.Create(nullptr, 96, 64, 24);
    for (std::uint32_t y = 0; y < 64; ++y)
    {
        for (std::uint32_t x = 0; x < 96; ++x)
        {
            std::uint8_t* p = banded.GetPixels() + (y * 96 + x) * 3;
            p[0] = y < 8 ? 255 : 0;
            p[1] = 0;
            p[2] = y < 8 ? 0 : 255;
        }
    }
    options.jitter = false;
    WriteCut("banded", banded, options);

    const std::unique_ptr<GameLogicData> greyData = Load("grey", 0, 1);
    const Image* greyPage = StageImage(greyData->texturePack->GetPages()[0]);
    ASSERT_NE(greyPage, nullptr);
    std::size_t seen = 0;
    for (std::uint32_t i = 0; i < greyPage->GetWidth() * greyPage->GetHeight(); ++i)
    {
        const std::uint8_t* p = greyPage->GetPixels() + std::size_t{i} * 4;
        if (p[3] == 0)
            continue;
        ++seen;
        ASSERT_EQ(p[0], p[1]);
        ASSERT_EQ(p[1], p[2]);
    }
    EXPECT_GT(seen, 96u * 64u / 2);

    const std::unique_ptr<GameLogicData> bandedData = Load("banded", 0, 2);
    const Image* page = StageImage(bandedData->texturePack->GetPages()[0]);
    ASSERT_NE(page, nullptr);
    const TexturePack::SubTexture* first = bandedData->texturePack->FindTexture(bandedData->textureNames[0]);
    ASSERT_NE(first, nullptr);
    const auto left = static_cast<std::uint32_t>(std::lround(first->uvMin.x * static_cast<float>(page->GetWidth())));
    const auto bottom = static_cast<std::uint32_t>(std::lround(first->uvMin.y * static_cast<float>(page->GetHeight())));
    const auto top = static_cast<std::uint32_t>(std::lround(first->uvMax.y * static_cast<float>(page->GetHeight()))) - 1;
    const std::uint8_t* low = PixelAt(*page, left + 2, bottom);
    const std::uint8_t* high = PixelAt(*page, left + 2, top - 4);
    EXPECT_GT(low[0], 200);
    EXPECT_LT(low[2], 60);
    EXPECT_LT(high[0], 60);
    EXPECT_GT(high[2], 200);
}

TEST_F(GameLogicDataLoadTest, ReloadingALevelWhileTheOldDataLivesReturnsEveryCountWhenBothAreGone)
{
    Image picture;
    Photo(picture);
    WriteCut("small", picture, SmallPuzzle());
    OrvaneEngine::ShaderManager& shaders = *engine->shaderManager;
    OrvaneEngine::TextureManager& textures = *shaders.GetTextureManager();
    const std::uint32_t textureCount = textures.GetTextureCount();
    const std::uint32_t shaderCount = shaders.GetShaderCount();
    const std::uint32_t userCount = shaders.GetShaderUserCount();
    {
        std::unique_ptr<GameLogicData> first = Load("small");
        const std::uint32_t oneLevel = textures.GetTextureCount();
        EXPECT_EQ(oneLevel, textureCount + 4) << "three board textures and one page";
        std::unique_ptr<GameLogicData> second = Load("small");
        EXPECT_EQ(textures.GetTextureCount(), oneLevel) << "equal names share their textures";
        EXPECT_EQ(second->overlayShader->GetShader(), first->overlayShader->GetShader());
        first.reset();
        EXPECT_NE(StageImage(second->overlayShader), nullptr);
        EXPECT_NE(StageImage(second->texturePack->GetPages()[0]), nullptr);
    }
    EXPECT_EQ(textures.GetTextureCount(), textureCount);
    EXPECT_EQ(shaders.GetShaderCount(), shaderCount);
    EXPECT_EQ(shaders.GetShaderUserCount(), userCount);
}

TEST_F(GameLogicDataLoadTest, ANameThePackDoesNotHoldIsFatalWithItsOwnText)
{
    Image picture;
    Photo(picture);
    WriteCut("small", picture, SmallPuzzle());
    const std::unique_ptr<GameLogicData> data = Load("small", 0, 1);
    try
    {
        data->texturePack->GetTexture("99", 1, OrvaneEngine::Vector2(0, 0), OrvaneEngine::Vector2(1, 1), nullptr);
        ADD_FAILURE() << "no fatal error";
    }
    catch (const OrvaneEngine::FatalError& error)
    {
        EXPECT_EQ(error.GetText(), "Texture pack \"puzzle_elements_0_1\" is not contain \"99\" texture");
    }
}

} // namespace
} // namespace Mirabel::test
