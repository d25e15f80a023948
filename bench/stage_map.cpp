// The stage map open and faded in: 60 markers over 6 stages (120 model
// windows with their shadows, 60 hit buttons), 16 totem windows, the map
// picture and its buttons, on a headless engine (llvmpipe): the background's,
// the manager's and the map's updates (hover walk, double-click detecter,
// path preview), Engine::Update and Engine::Frame. The fixture is written
// with the content/ writers into the harness's temporary folder. Floor,
// paired round by round in the same GL context: as many textured quads
// drawn straight through GL as the map's model pass drew, then the same present.
#include "bench/support/MenuFrameDriver.h"
#include "content/MapFileWriter.h"
#include "engine/core/Engine.h"
#include "game/menus/GUIStartGameLogicWindow.h"
#include "game/LevelManager.h"
#include "game/Profile.h"
#include "game/ProfileManager.h"
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
using corvellan::content::MapFileElement;
using corvellan::content::MapFileWriter;

constexpr std::uint32_t kStages = 6;
constexpr std::uint32_t kLevelsPerStage = 10;

class MapStage : public corvellan::bench::MenuFrameDriver
{
public:
    MapStage()
    {
        if (!WriteData() || !Start())
            return;
        Mirabel::Profile& profile = menu.MakeCurrentProfile(u"Bench");
        // Every marker reached and shown: the preview has nothing beyond to
        // animate, so each frame draws the same.
        profile.UpdateReachedLevel(kStages - 1, kLevelsPerStage - 1, false);
        profile.nextStage = kStages - 1;
        profile.nextLevel = kLevelsPerStage / 2;
        map = std::make_unique<Mirabel::GUIStartGameLogicWindow>(menu.engine, menu.sounds.get(), menu.gameData.get(),
                                                                 menu.manager.get(), menu.levels.get(),
                                                                 menu.profiles.get(), nullptr, nullptr);
        menu.updates.push_back([this] { map->Update(); });
        map->Show(0);
        if (!menu.StepUntil([this] { return map->color.a > 0.9999f && map->IsAnyControlAppearing() == 0; }, 50,
                            200))
            return;
        const std::int64_t quads = Frame();
        floor.Layout(quads, 16, 12, 50.0f, 50.0f, 40.0f, 40.0f);
        ready = quads > 0;
    }

private:
    bool WriteData()
    {
        corvellan::test::MenuData& data = menu.data;
        bool ok = data.WriteDefault() &&
                  data.Levels(std::vector<std::uint32_t>(kStages, kLevelsPerStage)) &&
                  data.Model("ui\\menus\\models\\controls\\totem.mlf", 16, {0, 0, 40, 100}, {0, 0, 40, 100}) &&
                  data.Model("ui\\menus\\models\\start_game\\map.mlf", 1, {0, 0, 800, 600});
        for (const char* name : {"start", "finish", "check_point", "path", "path_check_point"})
            ok = ok && data.Model(std::string("ui\\menus\\map\\models\\") + name + ".mlf", 6, {0, 0, 1, 1},
                                  {0, 0, 1, 1});
        for (std::uint32_t s = 0; s < kStages; ++s)
            ok = ok && data.Model("ui\\menus\\models\\start_game\\totem_" + std::to_string(s) + ".mlf", 1,
                                  {40.0f + 120.0f * static_cast<float>(s), 480.0f,
                                   80.0f + 120.0f * static_cast<float>(s), 580.0f});
        std::vector<MapFileElement> elements;
        for (std::uint32_t s = 0; s < kStages; ++s)
            for (std::uint32_t i = 0; i < kLevelsPerStage; ++i)
            {
                const std::uint32_t n = s * kLevelsPerStage + i;
                const std::uint32_t type = n == 0 ? 0 : i == 0 ? 2 : n + 1 == kStages * kLevelsPerStage ? 1 : 3;
                elements.push_back(MapFileWriter::At(type, 60.0f + 60.0f * static_cast<float>(i),
                                                     80.0f + 60.0f * static_cast<float>(s), 20.0f));
            }
        return ok && MapFileWriter::WriteTo(data.DataPath("ui\\menus\\map\\map.gmf"), elements);
    }

    std::unique_ptr<Mirabel::GUIStartGameLogicWindow> map;
};

void StageMapFrame(benchmark::State& state)
{
    MapStage stage;
    corvellan::bench::QuadFloor::Run(state, stage, "no drawing device or no stage map");
}

[[maybe_unused]] const bool registered = corvellan::bench::QuadFloor::Register("BM_StageMap_vs_BareGL", StageMapFrame);

} // namespace
