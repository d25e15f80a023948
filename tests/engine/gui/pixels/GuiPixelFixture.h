#pragma once

// A headless engine whose GUI has the 800 x 600 virtual screen, on one of the
// screens the game meets: an 800 x 600 window, or 1024 x 768 full screen on a
// desktop of that size (the virtual screen then scales by 1.28). Frames are
// the engine's own; the back buffer is read after the frame's present.

#include "content/ImageFixtures.h"
#include "engine/core/Engine.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "platform/win32/testing/DesktopHooks.h"
#include "tests/support/BackBuffer.h"
#include "tests/support/FileBytes.h"
#include "tests/support/gtest/EngineTestFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

namespace corvellan::test
{

struct GuiScreen
{
    const char* name;
    const char* videoMode;
    bool fullscreen;
    std::uint32_t width;
    std::uint32_t height;
};

inline void PrintTo(const GuiScreen& screen, std::ostream* out)
{
    *out << screen.name;
}

inline std::string GuiScreenName(const ::testing::TestParamInfo<GuiScreen>& info)
{
    return info.param.name;
}

inline constexpr GuiScreen kGuiScreens[] = {
    {"Windowed800x600", "800x600x32", false, 800, 600},
    {"Fullscreen1024x768", "1024x768x32", true, 1024, 768},
    // The mode's picture is scaled into the desktop only when presented.
    {"Fullscreen800x600OnA1024x768Desktop", "800x600x32", true, 800, 600},
};

class GuiPixelFixture : public EngineTestFixture, public ::testing::WithParamInterface<GuiScreen>
{
protected:
    static constexpr float kVirtualWidth = 800.0f;
    static constexpr float kVirtualHeight = 600.0f;
    static constexpr Rgb kBlack{0, 0, 0};
    static constexpr std::uint32_t kDesktopWidth = 1024;
    static constexpr std::uint32_t kDesktopHeight = 768;

    void SetUp() override
    {
        d3d7::testing::ResetAll();
        win32::testing::ResetDesktopMode();
        d3d7::MachineDescription machine = d3d7::testing::GetDefaultMachine();
        machine.adapters.at(0).desktop = win32::DesktopMode{kDesktopWidth, kDesktopHeight, 32, 60};
        for (d3d7::DisplayModeDescription& mode : machine.adapters.at(0).modes)
            mode.refreshRate = 60;
        d3d7::testing::SetMachine(machine);
        settings.videoMode = GetParam().videoMode;
        settings.fullscreen = GetParam().fullscreen;
        std::filesystem::create_directories(folder.Join("data"));
        Start();
        ASSERT_NE(engine->guiManager, nullptr);
        ASSERT_TRUE(RenderSystem().ready);
        ASSERT_EQ(RenderSystem().backBufferDesc.width, GetParam().width);
        ASSERT_EQ(RenderSystem().backBufferDesc.height, GetParam().height);
        Gui().SetScreenSize(kVirtualWidth, kVirtualHeight);
        engine->renderSystem->clearColor = OrvaneEngine::Color{0.0f, 0.0f, 0.0f, 1.0f};
    }

    void TearDown() override
    {
        Stop();
        d3d7::testing::ResetAll();
        win32::testing::ResetDesktopMode();
    }

    OrvaneEngine::RenderSystem_D3D7& RenderSystem() const
    {
        return static_cast<OrvaneEngine::RenderSystem_D3D7&>(*engine->renderSystem);
    }
    OrvaneEngine::GUIManager& Gui() const { return *engine->guiManager; }

    // The window's own pixels, in which mouse events arrive: the desktop's
    // when full screen, whatever the mode.
    std::uint32_t WindowWidth() const { return GetParam().fullscreen ? kDesktopWidth : GetParam().width; }
    std::uint32_t WindowHeight() const { return GetParam().fullscreen ? kDesktopHeight : GetParam().height; }

    // An 8 x 8 picture of one colour as data\<name>, 24 bits, no alpha.
    void WriteTexture(const std::string& name, const Rgb& color) const
    {
        std::string stored;
        for (int pixel = 0; pixel < 64; ++pixel)
            stored += std::string{static_cast<char>(color.b), static_cast<char>(color.g), static_cast<char>(color.r)};
        std::ofstream(folder.Join("data/" + name), std::ios::binary)
            << content::Tga(8, 8, content::TgaLayout{}, stored);
    }

    // The engine's frame (update, render, present), then the back buffer.
    void Frame()
    {
        engine->Update();
        engine->Frame(0);
        ASSERT_EQ(back.Read(RenderSystem()), "");
    }

    // The pixel column of a virtual x, and the pixel row (from the top) of a
    // virtual y; a pixel belongs to what covers its centre.
    double ColumnOf(double x) const { return x * GetParam().width / kVirtualWidth; }
    double RowOf(double y) const { return (kVirtualHeight - y) * GetParam().height / kVirtualHeight; }

    // The pixel whose centre is nearest to the virtual point.
    Rgb At(double x, double y) const
    {
        return back.Pixel(static_cast<std::uint32_t>(std::floor(ColumnOf(x))),
                          static_cast<std::uint32_t>(std::floor(RowOf(y))));
    }

    // Pixels of the virtual rectangle that are not the colour, and pixels of
    // the one-pixel ring around it that are, as text; empty when the
    // rectangle is filled exactly.
    std::string FillFaults(double left, double bottom, double width, double height, const Rgb& color) const
    {
        const auto first = static_cast<std::int64_t>(std::lround(ColumnOf(left)));
        const auto last = static_cast<std::int64_t>(std::lround(ColumnOf(left + width))) - 1;
        const auto top = static_cast<std::int64_t>(std::lround(RowOf(bottom + height)));
        const auto lowest = static_cast<std::int64_t>(std::lround(RowOf(bottom))) - 1;
        std::string faults;
        std::uint32_t count = 0;
        for (std::int64_t row = top - 1; row <= lowest + 1; ++row)
            for (std::int64_t column = first - 1; column <= last + 1; ++column)
            {
                const bool inside = row >= top && row <= lowest && column >= first && column <= last;
                const Rgb pixel = back.Pixel(static_cast<std::uint32_t>(column), static_cast<std::uint32_t>(row));
                if (inside == Near(pixel, color, 2))
                    continue;
                if (++count <= 8)
                    faults += (inside ? " inside (" : " outside (") + std::to_string(column) + ", " +
                              std::to_string(row) + ") " + Describe(pixel) + ";";
            }
        return count == 0 ? "" : std::to_string(count) + " wrong pixels:" + faults;
    }

    BackBuffer back;
};

} // namespace corvellan::test
