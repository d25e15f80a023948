#pragma once

// Widgets built over the device-free GUI services, with a GUI sound manager
// on a real sound manager (paused device) in which event N plays the N-th
// sound: a frame's played events are read from the device journals.

#include "content/ImageFixtures.h"
#include "content/ModelMeshes.h"
#include "content/WavWriter.h"
#include "engine/core/Timer.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/render/Image.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/sound/Sound.h"
#include "platform/win32/testing/MultimediaTimerHooks.h"
#include "tests/support/GuiServices.h"
#include "tests/support/gtest/SoundDevice.h"

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace corvellan::test
{

class WidgetFixture : public SoundDevice
{
protected:
    static constexpr std::uint32_t EventCount = 13;
    static constexpr std::uint32_t FrameMilliseconds = 20;

    WidgetFixture()
    {
        const std::string wav = content::WavWriter::Simple({1, 1, 22050, 16}, content::Samples16({100, 200, 300}));
        for (std::uint32_t event = 0; event < EventCount; ++event)
        {
            const std::string name = "event" + std::to_string(event) + ".wav";
            WriteData(name, wav);
            sounds.AddSound(event, name);
        }
        // Clear of the repeat guard around the sounds' first play time 0.
        now = 1000;
        win32::testing::SetFakeMilliseconds(now);
        timers.GetFrameTimer()->Reset(0.0f);
        ClearPlayed();
    }

    // The next frame's moment: every event may sound again.
    void NextFrame()
    {
        now += FrameMilliseconds;
        win32::testing::SetFakeMilliseconds(now);
    }

    void ClearPlayed()
    {
        manager->ClearCommands();
        for (std::uint32_t event = 0; event < EventCount; ++event)
            ClearJournalOf(manager->GetSound(event));
    }

    // The events played since the last call, in event order.
    std::vector<std::uint32_t> Played()
    {
        manager->Update(true);
        std::vector<std::uint32_t> played;
        for (std::uint32_t event = 0; event < EventCount; ++event)
        {
            if (!CallsOf(manager->GetSound(event), dsound::JournalCall::Play).empty())
                played.push_back(event);
        }
        ClearPlayed();
        return played;
    }

    template <typename Widget, typename... Rest>
    std::unique_ptr<Widget> Make(Rest&&... rest)
    {
        OrvaneEngine::GUIManager& gui = *services.gui;
        return std::make_unique<Widget>(&services.log, &services.shaders, &services.models, gui.GetFontManager(),
                                        gui.GetTextManager(), &sounds, gui.GetCamera(),
                                        std::forward<Rest>(rest)...);
    }

    // data\grid.tga: four cells side by side, each its own colour.
    void WriteGridTexture()
    {
        OrvaneEngine::Image image;
        image.Create(&services.log, 4, 1, 24);
        for (int i = 0; i < 12; ++i)
            image.GetPixels()[i] = static_cast<std::uint8_t>(40 * i);
        std::ofstream(services.DataPath("grid.tga"), std::ios::binary) << content::EngineImageFile(image, "tga");
    }

    // The grid as four frames of one texture.
    static OrvaneEngine::ShaderDescriptor GridDescriptor()
    {
        return OrvaneEngine::ShaderDescriptor(false, 1, 4, 1, 4, 0.0f, "grid.tga", "", true);
    }

    // data\morph.mlf: two frames of a unit quad.
    void WriteTwoFrameModel()
    {
        services.WriteModel("morph.mlf", content::MakeMorphModel({content::MakeQuadMesh(0, 0, 1, 1),
                                                                  content::MakeQuadMesh(0, 0, 1, 2)},
                                                                 10.0f));
    }

    GuiServices services;
    OrvaneEngine::GUISoundManager sounds{&timers, manager.get()};
    std::uint32_t now = 0;
};

} // namespace corvellan::test
