// A menu frame: the menu background after its start-up (8 layers, 3 of them
// carrying particle systems, the frame, logos and titles) and an open
// main-menu window with 7 animated buttons and their labels, on a headless
// engine (llvmpipe): the background's, the manager's and the window's
// updates, Engine::Update and Engine::Frame (GUI and model passes, present).
// The fixture is written with the same content/ writers as the menu tests.
// Floor, paired round by round in the same GL context: as many textured,
// blended quads drawn straight through GL, one matrix load and one draw
// each, then the same present. The tally is the quads drawn: the engine's
// comes from its model pass.
#include "bench/support/MenuFrameDriver.h"
#include "engine/core/Engine.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "game/GameData.h"
#include "game/menus/GUIBackgroundWindow.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIMenuWindow.h"
#include "game/menus/GUIMenuWindowManager.h"
#include "tests/support/MenuHarness.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace
{

using namespace OrvaneEngine;
using corvellan::test::MenuBox;

constexpr std::uint32_t kButtons = 7;

class MenuStage : public corvellan::bench::MenuFrameDriver
{
public:
    MenuStage()
    {
        if (!WriteData() || !Start())
            return;
        window = std::make_unique<Mirabel::GUIMenuWindow>(menu.engine, menu.sounds.get(), menu.gameData.get(),
                                                          menu.manager.get(), 0, nullptr);
        const Mirabel::GameData& data = *menu.gameData;
        for (std::uint32_t k = 0; k < kButtons; ++k)
        {
            buttons.push_back(std::make_unique<Mirabel::GUIControl>(
                menu.engine, menu.gameData.get(), Mirabel::GUIControl::Button, data.mainMenuButtons[k],
                data.buttonMainMenu, nullptr, data.buttonMainMenuTextArea, nullptr));
            window->controlList.push_back(buttons.back().get());
        }
        menu.updates.push_back([this] {
            window->Update();
            for (const auto& button : buttons)
                if (button->widget->visible)
                    button->widget->AddWideText(3, 1, Vector2(0.0f, 0.0f), window->color, u"Continue");
        });
        window->SetOpen(1);
        if (!menu.StepUntil([this] { return window->color.a > 0.9999f; }, 50, 200))
            return;
        // The floor's quads: as many as the engine's settled frame draws.
        const std::int64_t quads = Frame();
        if (Frame() != quads)
            return;
        floor.Layout(quads, 8, 12, 100.0f, 50.0f, 100.0f, 50.0f);
        ready = true;
    }

private:
    bool WriteData()
    {
        corvellan::test::MenuData& data = menu.data;
        const std::string models = "ui\\menus\\background\\models\\";
        const std::string particles = "ui\\menus\\background\\particles\\";
        bool ok = data.WriteDefault() &&
                  data.Background({{"sky", "_none_", true, 0},
                                   {"clouds", "mist", true, 0},
                                   {"hills", "_none_", true, 0},
                                   {"sparks", "glow", true, 0},
                                   {"trees", "_none_", false, 0},
                                   {"river", "spray", false, 0},
                                   {"meadow", "_none_", false, 0},
                                   {"rocks", "_none_", false, 0}});
        const char* textured[] = {"sky", "hills", "trees", "meadow", "rocks"};
        for (std::uint32_t k = 0; k < 5; ++k)
            ok = ok && data.TexturedModel(models + textured[k] + ".mlf",
                                          {0.0f, 60.0f * static_cast<float>(k), 800.0f, 600.0f},
                                          {static_cast<std::uint8_t>(40 * k), 160, 90});
        for (const char* carrier : {"clouds", "sparks", "river"})
            ok = ok && data.Model(models + carrier + ".mlf", 20, {100, 300, 200, 400}, {500, 300, 600, 400});
        for (const char* system : {"mist", "glow", "spray"})
            ok = ok && data.ParticleSystem(particles + system + ".psf", 1, 40);
        for (std::uint32_t k = 0; k < kButtons; ++k)
        {
            const float y = 420.0f - 45.0f * static_cast<float>(k);
            ok = ok && data.Model("ui\\menus\\models\\main_menu\\button_" + std::to_string(k) + ".mlf", 16,
                                  MenuBox{300.0f, y, 310.0f, y + 10.0f}, MenuBox{300.0f, y, 500.0f, y + 40.0f});
        }
        return ok;
    }

    std::unique_ptr<Mirabel::GUIMenuWindow> window;
    std::vector<std::unique_ptr<Mirabel::GUIControl>> buttons;
};

void MenuFrame(benchmark::State& state)
{
    MenuStage stage;
    corvellan::bench::QuadFloor::Run(state, stage, "no drawing device or no menu");
}

[[maybe_unused]] const bool registered = corvellan::bench::QuadFloor::Register("BM_MenuFrame_vs_BareGL", MenuFrame);

} // namespace
