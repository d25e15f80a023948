#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/VertexBuffer.h"
#include "framework/GUILoadingWindowBase.h"
#include "game/TexturePack.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "tests/game/PuzzleFolderFixture.h"
#include "tests/support/BackBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

namespace Mirabel::test
{
namespace
{

using OrvaneEngine::GUIWindow;
using OrvaneEngine::Image;
using OrvaneEngine::Vector2;

// An 800 x 600 window whose GUI has the same virtual screen, so one virtual
// unit is one pixel and a window drawn at its piece's size shows the piece's
// texels one to one.
class TexturePackPixelsTest : public PuzzleFolderFixture
{
protected:
    void SetUp() override
    {
        d3d7::testing::ResetAll();
        settings.videoMode = "800x600x32";
        settings.fullscreen = false;
        Start();
        ASSERT_NE(engine->guiManager, nullptr);
        engine->guiManager->SetScreenSize(800.0f, 600.0f);
        engine->renderSystem->clearColor = OrvaneEngine::Color{0.0f, 0.0f, 0.0f, 1.0f};
    }

    void TearDown() override
    {
        Stop();
        d3d7::testing::ResetAll();
    }

    void Frame()
    {
        engine->Update();
        engine->Frame(0);
        ASSERT_EQ(back.Read(static_cast<OrvaneEngine::RenderSystem_D3D7&>(*engine->renderSystem)), "");
    }

    corvellan::test::BackBuffer back;
};

// Each piece is drawn apart from the others over black: its opaque pixels
// show the picture, its cut and the rest of its rectangle stay black. Wrong
// texture coordinates, a flipped row order, a piece from the wrong place on
// the page or a neighbour's pixels all show.
TEST_F(TexturePackPixelsTest, AWindowDrawnAtItsPiecesSizeShowsExactlyThePiece)
{
    Image picture;
    Photo(picture);
    content::PuzzleCutOptions options = SmallPuzzle();
    options.rampWidth = 0;
    const content::PuzzleFileRecord record = WriteCut("small", picture, options);
    Image decoded;
    Decoded("small", decoded);
    const std::unique_ptr<GameLogicData> data = Load("small");

    std::vector<GUIWindow*> windows;
    for (std::size_t i = 0; i < record.pieces.size(); ++i)
    {
        const content::PuzzleFilePiece& piece = record.pieces[i];
        const std::uint32_t flags = GUIWindow::FlagShown | (i % 2 ? GUIWindow::FlagColored : 0);
        windows.push_back(data->texturePack->GetTexture(
            data->textureNames[i], flags,
            Vector2(static_cast<float>(40 + 220 * (i % 3)), static_cast<float>(60 + 250 * (i / 3))),
            Vector2(static_cast<float>(piece.width), static_cast<float>(piece.height)), nullptr));
    }
    Frame();

    for (std::size_t i = 0; i < record.pieces.size(); ++i)
    {
        const content::PuzzleFilePiece& piece = record.pieces[i];
        const auto left = static_cast<std::int32_t>(40 + 220 * (i % 3));
        const auto bottom = static_cast<std::int32_t>(60 + 250 * (i / 3));
        std::size_t wrong = 0;
        std::string first;
        std::size_t shown = 0;
        // One pixel of black around the rectangle too.
        for (std::int32_t r = -1; r <= piece.height; ++r)
        {
            for (std::int32_t c = -1; c <= piece.width; ++c)
            {
                const bool inside = r >= 0 && c >= 0 && r < piece.height && c < piece.width;
                corvellan::test::Rgb expected{0, 0, 0};
                if (inside && piece.mask[static_cast<std::size_t>(r * piece.width + c)] &&
                    record.edges[static_cast<std::size_t>(piece.y + r) * 160 + static_cast<std::size_t>(piece.x + c)] == 0)
                {
                    const std::uint8_t* d =
                        decoded.GetPixels() + (static_cast<std::size_t>(piece.y + r) * 160 + static_cast<std::size_t>(piece.x + c)) * 3;
                    expected = {d[0], d[1], d[2]};
                    ++shown;
                }
                const corvellan::test::Rgb pixel =
                    back.Pixel(static_cast<std::uint32_t>(left + c), static_cast<std::uint32_t>(599 - (bottom + r)));
                if (!corvellan::test::Near(pixel, expected, 3) && wrong++ == 0)
                    first = std::to_string(c) + "," + std::to_string(r) + " is " + corvellan::test::Describe(pixel) +
                            ", not " + corvellan::test::Describe(expected);
            }
        }
        EXPECT_EQ(wrong, 0u) << "piece " << i << ": " << first;
        EXPECT_GT(shown, static_cast<std::size_t>(piece.width * piece.height) / 2) << "piece " << i;
    }
    for (GUIWindow* window : windows)
        engine->guiManager->ReleaseWindow(window);
}

// The loading worker loads while the main thread presents; it makes no GL
// call, and what it made draws on the next frame.
TEST_F(TexturePackPixelsTest, LoadingOnTheWorkerMakesNoGlCallAndTheLevelDrawsAfterwards)
{
    Image picture;
    Photo(picture);
    const content::PuzzleFileRecord record = WriteCut("small", picture, SmallPuzzle());
    Frame();
    const std::uint32_t offThread = d3d7::testing::GetOffThreadGlCalls();
    std::unique_ptr<GameLogicData> data = MakeData("small");

    GameFramework::GUILoadingWindowBase loading(&*engine);
    loading.Show(data.get());
    loading.RunLoading();
    ASSERT_TRUE(loading.IsDone());
    EXPECT_EQ(d3d7::testing::GetOffThreadGlCalls(), offThread);

    const content::PuzzleFilePiece& piece = record.pieces[0];
    GUIWindow* window = data->texturePack->GetTexture(
        data->textureNames[0], GUIWindow::FlagShown, Vector2(100.0f, 100.0f),
        Vector2(static_cast<float>(piece.width), static_cast<float>(piece.height)), nullptr);
    Frame();
    std::size_t lit = 0;
    for (std::int32_t r = 0; r < piece.height; ++r)
        for (std::int32_t c = 0; c < piece.width; ++c)
            lit += !corvellan::test::Near(back.Pixel(static_cast<std::uint32_t>(100 + c),
                                                     static_cast<std::uint32_t>(599 - (100 + r))),
                                          {0, 0, 0}, 3);
    EXPECT_GT(lit, static_cast<std::size_t>(piece.width * piece.height) / 2);
    engine->guiManager->ReleaseWindow(window);
}

TEST_F(TexturePackPixelsTest, NamesAreLowerCasedAndPlainAndColouredWindowsGetTheNarrowedCoordinates)
{
    Image picture;
    Photo(picture);
    WriteCut("small", picture, SmallPuzzle());
    const std::unique_ptr<GameLogicData> data = Load("small");
    data->texturePack->AddTexture("extra", 0, Vector2(0.25f, 0.125f), Vector2(0.5f, 0.75f));
    data->texturePack->AddTexture("extra", 0, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f));

    for (const std::uint32_t flags : {GUIWindow::FlagShown, GUIWindow::FlagShown | GUIWindow::FlagColored})
    {
        GUIWindow* window = data->texturePack->GetTexture("EXTRA", flags, Vector2(0, 0), Vector2(10, 10), nullptr);
        ASSERT_NE(window, nullptr);
        ASSERT_NE(window->model, nullptr);
        EXPECT_EQ(window->GetShaderUser()->stages[0].diffuseName, "pack_puzzle_elements_0_12_0");
        OrvaneEngine::VertexBuffer& buffer = *window->model->GetVertexBuffer();
        EXPECT_EQ(buffer.IsColored(), (flags & GUIWindow::FlagColored) != 0);
        std::set<float> us;
        std::set<float> vs;
        const std::uint32_t count = buffer.GetVertexCount();
        for (std::uint32_t k = 0; k < count; ++k)
        {
            const std::uint8_t* vertex = buffer.GetData() + std::size_t{k} * buffer.GetStride();
            const float u = buffer.IsColored() ? reinterpret_cast<const OrvaneEngine::ColoredVertex*>(vertex)->u
                                               : reinterpret_cast<const OrvaneEngine::Vertex*>(vertex)->u;
            const float v = buffer.IsColored() ? reinterpret_cast<const OrvaneEngine::ColoredVertex*>(vertex)->v
                                               : reinterpret_cast<const OrvaneEngine::Vertex*>(vertex)->v;
            us.insert(u);
            vs.insert(v);
        }
        EXPECT_EQ(us, (std::set<float>{0.25f, 0.5f})) << "flags " << flags;
        EXPECT_EQ(vs, (std::set<float>{0.125f, 0.75f})) << "flags " << flags;
        engine->guiManager->ReleaseWindow(window);
    }
}

} // namespace
} // namespace Mirabel::test
