// A GUI frame: 100 textured windows in three layers (two of them children,
// so five depths carry texts) and 1,000 glyphs in two fonts, 100 per font on
// each of the five depths: the screen's texts queued, GUIManager::Update,
// GUIManager::Render, ModelManager::Render and the present, on a headless
// engine (llvmpipe) with the 800 x 600 virtual screen.
// Floor, paired round by round in the same GL context: the same 1,100 quads
// drawn straight through GL, one matrix load and one draw each, binding a
// texture only where the engine's frame changes texture (windows by layer,
// then each depth's two font atlases), then the same present. Both sides
// wait for GL to finish before the present. The tally is the quads drawn:
// the engine's comes from its model pass, so a batch it failed to draw shows
// as a failed run.
// CPU pair, device-free: GUIFont::PrintText of 1,000 glyphs into a batch (and
// the end of its frame) against a bare loop writing the same 4,000 coloured
// vertices from a flat glyph table.
#include "bench/support/PairedRounds.h"
#include "bench/support/ScreenQuads.h"
#include "bench/support/StartDevice.h"
#include "content/FontFileWriter.h"
#include "content/ImageFixtures.h"
#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIGlyph.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Camera.h"
#include "engine/render/ColoredVertex.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ShaderDescriptor.h"
#include "platform/d3d7/testing/BareQuads.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ModelServices.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace
{

using namespace OrvaneEngine;

constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;
constexpr std::uint32_t kWindowTexture = 64;
constexpr std::uint32_t kAtlas = 256;
// A font's glyphs: 8 x 8 cells of the atlas.
constexpr std::uint32_t kCells = 8;
constexpr float kGlyphRatio = 0.6f;
constexpr std::array<float, 2> kGlyphHeights = {8.0f, 10.0f};

// The 62 letters and digits, each in its own cell, the same in both fonts.
std::u16string Alphabet()
{
    std::u16string letters;
    for (char16_t c = u'A'; c <= u'Z'; ++c)
        letters += c;
    for (char16_t c = u'a'; c <= u'z'; ++c)
        letters += c;
    for (char16_t c = u'0'; c <= u'9'; ++c)
        letters += c;
    return letters;
}

std::vector<corvellan::content::FontGlyphRecord> GlyphRecords()
{
    std::vector<corvellan::content::FontGlyphRecord> records;
    const std::u16string letters = Alphabet();
    for (std::size_t index = 0; index < letters.size(); ++index)
    {
        corvellan::content::FontGlyphRecord record;
        record.character = letters[index];
        record.u = static_cast<float>(index % kCells) / kCells;
        record.v = static_cast<float>(index / kCells) / kCells;
        record.du = kGlyphRatio / kCells;
        record.dv = 1.0f / kCells;
        record.ratio = kGlyphRatio;
        records.push_back(record);
    }
    return records;
}

// A text of n characters, all with glyphs.
std::u16string TextOf(std::size_t n)
{
    const std::u16string letters = Alphabet();
    std::u16string text;
    for (std::size_t index = 0; index < n; ++index)
        text += letters[(index * 7) % letters.size()];
    return text;
}

// RGBA bytes, top row first, and the same picture as a 32-bit TGA file.
std::vector<std::uint8_t> Picture(std::uint32_t size, std::uint8_t seed)
{
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(size) * size * 4);
    for (std::size_t pixel = 0; pixel < rgba.size() / 4; ++pixel)
    {
        rgba[4 * pixel] = static_cast<std::uint8_t>(pixel * seed);
        rgba[4 * pixel + 1] = static_cast<std::uint8_t>(pixel / size * 3 + seed);
        rgba[4 * pixel + 2] = static_cast<std::uint8_t>(seed * 40);
        rgba[4 * pixel + 3] = static_cast<std::uint8_t>(pixel % 5 == 0 ? 0 : 255);
    }
    return rgba;
}

bool WriteTga(const std::string& path, std::uint32_t size, const std::vector<std::uint8_t>& rgba)
{
    std::string stored;
    for (std::size_t pixel = 0; pixel < rgba.size() / 4; ++pixel)
        stored += std::string{static_cast<char>(rgba[4 * pixel + 2]), static_cast<char>(rgba[4 * pixel + 1]),
                              static_cast<char>(rgba[4 * pixel]), static_cast<char>(rgba[4 * pixel + 3])};
    corvellan::content::TgaLayout layout;
    layout.depth = 32;
    std::ofstream file(path, std::ios::binary);
    file << corvellan::content::Tga(size, size, layout, stored);
    return static_cast<bool>(file);
}

// The engine with the scene, and the floor's quads in the engine's draw order.
class GuiStage
{
public:
    // Texture indices of the floor, in the order it adds them.
    enum Texture : std::uint32_t
    {
        BackTexture,
        MiddleTexture,
        FrontTexture,
        Font0Texture,
        Font1Texture,
    };

    GuiStage(std::uint32_t windowsPerLayer, std::size_t glyphsPerText) : text(TextOf(glyphsPerText))
    {
        d3d7::MachineDescription machine = d3d7::testing::GetDefaultMachine();
        machine.adapters.at(0).desktop = win32::DesktopMode{1024, 768, 32, 60};
        d3d7::testing::SetMachine(machine);
        if (!WriteData())
            return;
        if (!corvellan::bench::StartDevice([&] { fixture.Start(); }) || !fixture.engine->renderSystem->ready)
            return;
        Engine& engine = *fixture.engine;
        GUIManager& gui = *engine.guiManager;
        gui.SetScreenSize(kScreenWidth, kScreenHeight);
        for (std::uint32_t id = 0; id < 2; ++id)
        {
            const ShaderDescriptor look = MakeAnimatedShaderDescriptor(
                1, 1, "atlas" + std::to_string(id) + ".tga", "32bit", true);
            GUIFont* font = gui.GetFontManager()->CreateFont(id, &look, "font" + std::to_string(id) + ".fnt");
            if (!font)
                return;
            font->glyphHeight = kGlyphHeights[id];
        }
        BuildWindows(gui, windowsPerLayer);
        // A whole engine frame sets the GUI camera's projection, which stays;
        // a first GUI frame loads every texture and makes every batch.
        engine.Update();
        engine.Frame(0);
        Frame();
        ready = true;
    }

    ~GuiStage()
    {
        fixture.Stop();
        d3d7::testing::ResetAll();
    }

    GuiStage(const GuiStage&) = delete;
    GuiStage& operator=(const GuiStage&) = delete;

    // The engine's GUI frame; the quads its model pass drew.
    std::int64_t Frame()
    {
        Engine& engine = *fixture.engine;
        for (GUIWindow* holder : textHolders)
            for (std::uint32_t id = 0; id < 2; ++id)
                holder->AddWideText(0, id, Vector2(2.0f, 2.0f + 12.0f * static_cast<float>(id)), textColor, text);
        engine.guiManager->Update();
        engine.guiManager->Render();
        engine.modelManager->Render();
        d3d7::testing::FinishGl();
        Present();
        return engine.modelManager->trianglesDrawn / 2;
    }

    void Present() { fixture.engine->modelManager->Present(); }

    RenderSystem_D3D7& Device() const { return static_cast<RenderSystem_D3D7&>(*fixture.engine->renderSystem); }

    bool ready = false;
    // The floor: a unit quad, every quad's matrix and texture index, and the
    // pictures of the textures in index order.
    std::vector<ColoredVertex> unitQuad;
    std::vector<std::uint16_t> unitIndices{0, 1, 2, 2, 1, 3};
    std::vector<std::array<float, 16>> matrices;
    std::vector<std::uint32_t> textureIndices;
    std::vector<std::vector<std::uint8_t>> pictures;
    std::vector<std::uint32_t> pictureSizes;

private:
    bool WriteData()
    {
        const std::string data = fixture.folder.Join("data");
        std::filesystem::create_directories(data);
        const char* windowTextures[] = {"back.tga", "middle.tga", "front.tga"};
        for (std::uint8_t index = 0; index < 3; ++index)
        {
            pictures.push_back(Picture(kWindowTexture, static_cast<std::uint8_t>(index + 1)));
            pictureSizes.push_back(kWindowTexture);
            if (!WriteTga(data + "/" + windowTextures[index], kWindowTexture, pictures.back()))
                return false;
        }
        for (std::uint8_t id = 0; id < 2; ++id)
        {
            pictures.push_back(Picture(kAtlas, static_cast<std::uint8_t>(id + 7)));
            pictureSizes.push_back(kAtlas);
            if (!WriteTga(data + "/atlas" + std::to_string(id) + ".tga", kAtlas, pictures.back()) ||
                !corvellan::content::FontFileWriter::WriteTo(data + "/font" + std::to_string(id) + ".fnt",
                                                             GlyphRecords()))
                return false;
        }
        unitQuad = corvellan::bench::UnitQuad();
        return true;
    }

    // Per layer a grid of windows; the first window of the layers without
    // and with bit 8 gets one child, so texts lie on five depths. The floor's
    // quads follow the engine's order: by depth from the back, a depth's
    // windows before the texts in front of them.
    void BuildWindows(GUIManager& gui, std::uint32_t perLayer)
    {
        const struct
        {
            std::uint32_t flags;
            const char* texture;
            Texture index;
            bool child;
        } layers[] = {
            {GUIWindow::FlagShown | GUIWindow::FlagBackLayer, "back.tga", BackTexture, false},
            {GUIWindow::FlagShown, "middle.tga", MiddleTexture, true},
            {GUIWindow::FlagShown | GUIWindow::FlagMiddleLayer, "front.tga", FrontTexture, true},
        };
        const Vector2 size(60.0f, 40.0f);
        std::uint32_t placed = 0;
        for (const auto& layer : layers)
        {
            const ShaderDescriptor look = MakeShaderDescriptor(layer.texture, "", true);
            GUIWindow* first = nullptr;
            const std::uint32_t count = layer.child ? perLayer - 1 : perLayer + 1;
            for (std::uint32_t index = 0; index < count; ++index, ++placed)
            {
                const Vector2 position(static_cast<float>(placed % 12) * 65.0f,
                                       static_cast<float>(placed / 12 % 14) * 42.0f);
                GUIWindow* window =
                    gui.CreateTexturedWindow(layer.flags, position, size, &look, nullptr, Vector2(1.0f, 1.0f));
                first = first ? first : window;
                AddFloorQuad(position, size, layer.index);
            }
            AddTexts(first);
            if (!layer.child)
                continue;
            const Vector2 offset(5.0f, 5.0f);
            GUIWindow* child = gui.CreateTexturedWindow(GUIWindow::FlagShown, offset, size, &look, first,
                                                        Vector2(1.0f, 1.0f));
            AddFloorQuad(Vector2(first->position.x + offset.x, first->position.y + offset.y), size, layer.index);
            AddTexts(child);
        }
    }

    void AddFloorQuad(const Vector2& position, const Vector2& size, std::uint32_t texture)
    {
        matrices.push_back(corvellan::bench::ClipMatrix(position.x, position.y, size.x, size.y));
        textureIndices.push_back(texture);
    }

    // The window prints a text in each font every frame.
    void AddTexts(GUIWindow* holder)
    {
        textHolders.push_back(holder);
        const Vector2 origin = holder->GetAbsolutePosition();
        for (std::uint32_t id = 0; id < 2; ++id)
        {
            const float h = kGlyphHeights[id];
            for (std::size_t glyph = 0; glyph < text.size(); ++glyph)
                AddFloorQuad(Vector2(origin.x + 2.0f + static_cast<float>(glyph) * h * kGlyphRatio,
                                     origin.y + 2.0f + 12.0f * static_cast<float>(id)),
                             Vector2(h * kGlyphRatio, h), Font0Texture + id);
        }
    }

    corvellan::test::EngineFixture fixture{corvellan::test::EngineFixture::Options{true}};
    std::u16string text;
    Color textColor{1.0f, 0.9f, 0.8f, 1.0f};
    std::vector<GUIWindow*> textHolders;
};

void GuiFrame(benchmark::State& state)
{
    GuiStage stage(static_cast<std::uint32_t>(state.range(0)), static_cast<std::size_t>(state.range(1)));
    if (!stage.ready)
    {
        state.SkipWithError("no drawing device or no GUI");
        return;
    }
    d3d7::testing::BareQuads bare(stage.Device().backBuffer, stage.unitQuad.data(), 4, stage.unitIndices.data(), 6,
                                  stage.pictures[0].data(), stage.pictureSizes[0], stage.pictureSizes[0]);
    for (std::size_t index = 1; index < stage.pictures.size(); ++index)
        if (bare.AddTexture(stage.pictures[index].data(), stage.pictureSizes[index], stage.pictureSizes[index]) < 0)
        {
            state.SkipWithError("no GL texture");
            return;
        }
    if (!bare.IsReady())
    {
        state.SkipWithError("no GL texture");
        return;
    }
    corvellan::bench::PairedRounds::Run(state, [&] { return stage.Frame(); },
                                        [&] {
                                            bare.DrawFrame(stage.matrices, {}, stage.textureIndices);
                                            stage.Present();
                                            return static_cast<std::int64_t>(stage.matrices.size());
                                        });
    state.counters["quads"] = static_cast<double>(stage.matrices.size());
}

} // namespace

namespace
{

// A loaded font on the device-free services and one batch instance of it.
class FontStage
{
public:
    FontStage()
    {
        const std::string path = services.DataPath("font.fnt");
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        if (!corvellan::content::FontFileWriter::WriteTo(path, GlyphRecords()))
            return;
        camera = services.cameras.CreateCamera(GUIManager::CameraKind);
        camera->width = kScreenWidth;
        camera->height = kScreenHeight;
        fonts = std::make_unique<GUIFontManager>(&services.log, &services.files, &services.shaders, &services.models,
                                                 camera);
        const ShaderDescriptor look = MakeShaderDescriptor("", "", true);
        GUIFont* font = fonts->CreateFont(0, &look, "font.fnt");
        if (!font || font->GetGlyphs().size() != GlyphRecords().size())
            return;
        font->glyphHeight = kGlyphHeights[0];
        batch = std::make_unique<GUIFont>(font);
        for (const auto& [character, glyph] : font->GetGlyphs())
            table[character] = glyph;
        ready = true;
    }

    ~FontStage()
    {
        batch.reset();
        fonts.reset();
    }

    FontStage(const FontStage&) = delete;
    FontStage& operator=(const FontStage&) = delete;

    corvellan::test::ModelServices services;
    Camera* camera = nullptr;
    std::unique_ptr<GUIFontManager> fonts;
    std::unique_ptr<GUIFont> batch;
    // The floor's glyphs, indexed by character.
    std::vector<GUIGlyph> table = std::vector<GUIGlyph>(0x10000);
    bool ready = false;
};

std::uint32_t Pack(const Color& color)
{
    const auto channel = [](float value) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
    };
    return channel(color.a) << 24 | channel(color.r) << 16 | channel(color.g) << 8 | channel(color.b);
}

void PrintGlyphs(benchmark::State& state)
{
    FontStage stage;
    if (!stage.ready)
    {
        state.SkipWithError("no font");
        return;
    }
    const std::u16string text = TextOf(static_cast<std::size_t>(state.range(0)));
    const Color color{1.0f, 0.9f, 0.8f, 1.0f};
    const Vector2 origin(10.0f, 300.0f);
    std::vector<ColoredVertex> vertices(4 * GUIFont::MaxGlyphsPerFrame);
    corvellan::bench::PairedRounds::Run(
        state,
        [&] {
            stage.batch->PrintText(origin, 0.0f, color, text);
            const std::uint32_t printed = stage.batch->GetGlyphsThisFrame();
            stage.batch->EndFrame();
            return static_cast<std::int64_t>(printed);
        },
        [&] {
            const float h = kGlyphHeights[0];
            const std::uint32_t packed = Pack(color);
            const Vector3 normal(0.0f, 0.0f, 1.0f);
            float pen = 0.0f;
            std::int64_t written = 0;
            for (const char16_t character : text)
            {
                const GUIGlyph& glyph = stage.table[character];
                const float w = h * glyph.ratio;
                const float x = origin.x + pen;
                ColoredVertex* quad = vertices.data() + 4 * written;
                quad[0] = ColoredVertex{Vector3(x, origin.y + h, 0.0f), normal, packed, glyph.u, glyph.v + glyph.dv};
                quad[1] = ColoredVertex{Vector3(x, origin.y, 0.0f), normal, packed, glyph.u, glyph.v};
                quad[2] = ColoredVertex{Vector3(x + w, origin.y + h, 0.0f), normal, packed, glyph.u + glyph.du,
                                        glyph.v + glyph.dv};
                quad[3] = ColoredVertex{Vector3(x + w, origin.y, 0.0f), normal, packed, glyph.u + glyph.du, glyph.v};
                pen += w;
                ++written;
            }
            benchmark::DoNotOptimize(vertices.data());
            benchmark::ClobberMemory();
            return written;
        });
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

[[maybe_unused]] const bool registered = [] {
    const struct
    {
        const char* suffix;
        std::int64_t windowsPerLayer;
        std::int64_t glyphsPerText;
        std::int64_t rounds;
    } sizes[] = {
        {"/smoke", 4, 10, corvellan::bench::PairedRounds::SmokeRounds},
        {"", 33, 100, corvellan::bench::PairedRounds::FullRounds},
    };
    for (const auto& size : sizes)
    {
        const std::string suffix = size.suffix;
        benchmark::RegisterBenchmark(("BM_GuiFrame_vs_BareGL" + suffix).c_str(), GuiFrame)
            ->Args({size.windowsPerLayer, size.glyphsPerText})
            ->Iterations(size.rounds)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
        // Smoke: 100 glyphs; full: 1,000.
        benchmark::RegisterBenchmark(("BM_GuiFontPrintText_vs_BareLoop" + suffix).c_str(), PrintGlyphs)
            ->Arg(size.glyphsPerText * 10)
            ->Iterations(size.rounds == corvellan::bench::PairedRounds::SmokeRounds ? size.rounds : 201)
            ->Unit(benchmark::kMicrosecond)
            ->UseRealTime();
    }
    return true;
}();

} // namespace
