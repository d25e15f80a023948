#pragma once

// The Direct3D 7 render system on a real window and a real GL context
// (llvmpipe when headless), with the drawing stand-in's test hooks.

#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "platform/d3d7/testing/D3D7Hooks.h"
#include "platform/win32/testing/DesktopHooks.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace corvellan::test
{

class D3D7Fixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        d3d7::testing::ResetAll();
        win32::testing::ResetDesktopMode();
        log.ClearMessages();
    }

    void TearDown() override
    {
        try
        {
            renderSystem.reset();
        }
        catch (...)
        {
        }
        window.reset();
        d3d7::testing::ResetAll();
        win32::testing::ResetDesktopMode();
    }

    // The stand-in's own machine on a desktop of this size.
    static d3d7::MachineDescription MachineOnDesktop(std::uint32_t width, std::uint32_t height,
                                                     std::uint32_t bits = 32)
    {
        d3d7::MachineDescription machine = d3d7::testing::GetDefaultMachine();
        machine.adapters.at(0).desktop = win32::DesktopMode{width, height, bits, 60};
        for (d3d7::DisplayModeDescription& mode : machine.adapters.at(0).modes)
            mode.refreshRate = 60;
        return machine;
    }

    void OpenWindow(bool fullscreen)
    {
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        OrvaneEngine::ParseVideoMode(config.videoMode, &width, &height, nullptr);
        window = std::make_unique<OrvaneEngine::Window>(&log, &config, "Render test", 0, 0, false, width, height,
                                                        fullscreen, true, 0, 0);
    }

    // The window and the render system as the engine builds them.
    void Create(const std::string& mode, bool fullscreen, bool stencilBuffer = false, bool allowLargeWindow = false)
    {
        config.videoMode = mode;
        config.fullscreen = fullscreen;
        if (!window)
            OpenWindow(fullscreen);
        log.ClearMessages();
        renderSystem = std::make_unique<OrvaneEngine::RenderSystem_D3D7>(&log, &config, window.get(),
                                                                         stencilBuffer, allowLargeWindow);
    }

    // The text of every log entry of the frame list, in order, each without
    // its trailing newline.
    std::vector<std::string> Entries(std::uint32_t level) const
    {
        std::vector<std::string> out;
        for (std::int32_t i = 0; i < log.GetMessageCount(); ++i)
        {
            const OrvaneEngine::LogMessage entry = log.GetMessage(static_cast<std::uint32_t>(i));
            if (entry.level != level)
                continue;
            std::string text = entry.text;
            while (!text.empty() && text.back() == '\n')
                text.pop_back();
            out.push_back(text);
        }
        return out;
    }

    bool HasEntry(std::uint32_t level, const std::string& part) const
    {
        for (const std::string& text : Entries(level))
            if (text.find(part) != std::string::npos)
                return true;
        return false;
    }

    std::size_t CountEntries(std::uint32_t level, const std::string& part) const
    {
        std::size_t count = 0;
        for (const std::string& text : Entries(level))
            count += text.find(part) != std::string::npos ? 1 : 0;
        return count;
    }

    TempFolder folder;
    OrvaneEngine::MessageManager log{"Test", false, false, "", ""};
    OrvaneEngine::FileManager files{&log, folder.Path(), "Data"};
    OrvaneEngine::Config config{&log, &files, folder.Path(), "Test", false, "1024x768x32", false, false};
    std::unique_ptr<OrvaneEngine::Window> window;
    std::unique_ptr<OrvaneEngine::RenderSystem_D3D7> renderSystem;
};

} // namespace corvellan::test
