#pragma once
// The menu harness behind the menu drawing benchmarks: a 1024 x 768 desktop,
// the device started and the background run to where menus may open, then
// one program frame at a time for QuadFloor. A benchmark's stage derives
// from it, so the stage's own windows go before the harness stops.

#include "bench/support/QuadFloor.h"
#include "bench/support/StartDevice.h"
#include "engine/core/Engine.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "tests/support/MenuHarness.h"

#include <cstdint>

namespace corvellan::bench
{

class MenuFrameDriver
{
public:
    static constexpr std::uint32_t FrameMilliseconds = 16;

    MenuFrameDriver()
    {
        d3d7::MachineDescription machine = d3d7::testing::GetDefaultMachine();
        machine.adapters.at(0).desktop = win32::DesktopMode{1024, 768, 32, 60};
        d3d7::testing::SetMachine(machine);
    }

    ~MenuFrameDriver()
    {
        menu.updates.clear();
        menu.Stop();
        d3d7::testing::ResetAll();
    }

    MenuFrameDriver(const MenuFrameDriver&) = delete;
    MenuFrameDriver& operator=(const MenuFrameDriver&) = delete;

    // Once the stage's data is written: the engine with a ready device, and
    // the background's start-up run; false when any of it failed.
    bool Start()
    {
        return StartDevice([&] { menu.Start(); }) && menu.engine->renderSystem->ready && menu.RunStartUp();
    }

    // One program frame; the quads its model pass drew.
    std::int64_t Frame()
    {
        menu.Update(FrameMilliseconds);
        menu.Render();
        return menu.engine->modelManager->trianglesDrawn / 2;
    }

    void Present() { menu.engine->modelManager->Present(); }

    OrvaneEngine::RenderSystem_D3D7& Device() const
    {
        return static_cast<OrvaneEngine::RenderSystem_D3D7&>(*menu.engine->renderSystem);
    }

    bool ready = false;
    QuadFloor floor;

protected:
    corvellan::test::MenuHarness menu;
};

} // namespace corvellan::bench
