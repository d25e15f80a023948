// The level's floating texts: 200 live texts of one to three lines, each
// frame aged, measured in font 10 and queued on the container window
// (GUIGameLogicTextManager::Update), on a headless engine.
// Floor, paired round by round: the same lines queued straight on a window
// of the same kind with GUIWindow::AddWideText, positions, colour and scale
// worked out beforehand. The texts stand still in mid-life (the frame time is
// held at 0 once they have grown), so every round queues the same entries;
// each side then empties its window's queue without printing. The tally is
// the entries queued.
#include "bench/support/PairedRounds.h"
#include "bench/support/StartDevice.h"
#include "content/BoxFont.h"
#include "engine/core/Color.h"
#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "game/menus/GUIGameLogicText.h"
#include "game/menus/GUIGameLogicTextManager.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "tests/support/EngineFixture.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace
{

using namespace OrvaneEngine;
using Mirabel::GUIGameLogicText;
using Mirabel::GUIGameLogicTextManager;

constexpr std::uint32_t kFrames = 50;

// What the level says: points, combos and bonus names.
const std::u16string kTexts[] = {u"+150", u"COMBO x3\n+300", u"MAGNET", u"BLOCKED\nPIECE", u"+25",
                                 u"TIP\n+10\nBONUS"};

std::vector<corvellan::content::BoxGlyph> Glyphs()
{
    std::vector<corvellan::content::BoxGlyph> glyphs;
    for (char16_t c = u'A'; c <= u'Z'; ++c)
        glyphs.push_back({c, 0.6f});
    for (char16_t c = u'0'; c <= u'9'; ++c)
        glyphs.push_back({c, 0.5f});
    for (const char16_t c : std::u16string(u"+x "))
        glyphs.push_back({c, 0.4f});
    return glyphs;
}

// One line as the floor queues it.
struct Line
{
    Vector2 position;
    std::u16string text;
};

class TextStage
{
public:
    explicit TextStage(std::uint32_t textCount)
    {
        win32::testing::SetFakeMilliseconds(1000);
        if (!corvellan::content::BoxFont::Write(fixture.folder.Join("data"), "floating.fnt", "", Glyphs()))
            return;
        if (!corvellan::bench::StartDevice([&] { fixture.Start(); }))
            return;
        Engine& engine = *fixture.engine;
        GUIManager& gui = *engine.guiManager;
        gui.SetScreenSize(800.0f, 600.0f);
        GUIFont* font = gui.GetFontManager()->CreateFont(GUIGameLogicText::FontId, nullptr, "floating.fnt");
        if (!font)
            return;
        parent = gui.CreateWindow(GUIWindow::FlagShown | GUIWindow::FlagBackLayer, Vector2(0.0f, 0.0f),
                                  Vector2(0.0f, 0.0f), nullptr, nullptr);
        manager = std::make_unique<GUIGameLogicTextManager>(&engine, parent);
        floorWindow = gui.CreateWindow(GUIWindow::FlagShown, Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f), nullptr, parent);
        floorWindow->SetLevel(GUIGameLogicTextManager::ContainerLevel);
        // Spread over the board, as the level places them.
        for (std::uint32_t index = 0; index < textCount; ++index)
        {
            const Vector2 place(static_cast<float>(40 + index * 37 % 720), static_cast<float>(60 + index * 53 % 480));
            manager->AddText(kTexts[index % std::size(kTexts)], place);
        }

        // Half a second in: full size and colour, risen 10.5.
        engine.timerManager->frameTime = 0.5f;
        manager->Update();
        Empty(manager->GetWindow());
        engine.timerManager->frameTime = 0.0f;
        constexpr float height = 22.0f;
        constexpr float rise = 10.5f;
        for (const auto& text : manager->GetTexts())
        {
            const float count = static_cast<float>(text->GetLines().size());
            for (std::size_t i = 0; i < text->GetLines().size(); ++i)
            {
                const std::u16string& line = text->GetLines()[i];
                const float width = font->MeasureText(line, 0.0f, height).x;
                const float below = count - static_cast<float>(i) - 1.0f;
                lines.push_back({Vector2(text->GetPosition().x - width / 2.0f,
                                         text->GetPosition().y + rise - height * count / 2.0f + below * height),
                                 line});
            }
        }
        ready = manager->GetTexts().size() == textCount;
    }

    ~TextStage()
    {
        manager.reset();
        fixture.Stop();
        win32::testing::ResetMultimediaTimer();
    }

    TextStage(const TextStage&) = delete;
    TextStage& operator=(const TextStage&) = delete;

    std::int64_t Project()
    {
        std::int64_t queued = 0;
        for (std::uint32_t frame = 0; frame < kFrames; ++frame)
        {
            manager->Update();
            queued += Empty(manager->GetWindow());
        }
        return queued;
    }

    std::int64_t Floor()
    {
        const Color white(1.0f, 1.0f, 1.0f, 1.0f);
        std::int64_t queued = 0;
        for (std::uint32_t frame = 0; frame < kFrames; ++frame)
        {
            for (const Line& line : lines)
                floorWindow->AddWideText(0, GUIGameLogicText::FontId, line.position, white, line.text, 0.0f, 22.0f);
            queued += Empty(floorWindow);
        }
        return queued;
    }

    bool ready = false;

private:
    // A hidden window's render drops its queue without printing it.
    static std::int64_t Empty(GUIWindow* window)
    {
        const std::int64_t count = window->GetTextEntryCount();
        window->visible = false;
        window->Render();
        window->visible = true;
        return count;
    }

    corvellan::test::EngineFixture fixture{corvellan::test::EngineFixture::Options{true}};
    GUIWindow* parent = nullptr;
    GUIWindow* floorWindow = nullptr;
    std::unique_ptr<GUIGameLogicTextManager> manager;
    std::vector<Line> lines;
};

void FloatingTexts(benchmark::State& state)
{
    TextStage stage(static_cast<std::uint32_t>(state.range(0)));
    if (!stage.ready)
    {
        state.SkipWithError("no engine or no font");
        return;
    }
    corvellan::bench::PairedRounds::Run(state, [&] { return stage.Project(); }, [&] { return stage.Floor(); });
}

BENCHMARK(FloatingTexts)
    ->Name("FloatingTexts/Update_vs_AddWideText")
    ->Arg(200)
    ->Iterations(corvellan::bench::PairedRounds::FullRounds);
BENCHMARK(FloatingTexts)
    ->Name("FloatingTexts/Update_vs_AddWideText/smoke")
    ->Arg(20)
    ->Iterations(corvellan::bench::PairedRounds::SmokeRounds);

} // namespace
