#pragma once

// The services a model is made with, over a device-less render system that
// also records the frame calls of the render pass, and a data folder that
// the model-file writer fills.

#include "content/ModelFileWriter.h"
#include "content/ShaderFileWriter.h"
#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderManager.h"
#include "tests/support/RecordingRenderSystem.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace corvellan::test
{

// A camera that counts how often it was made current, in each form.
class CountingCamera : public OrvaneEngine::Camera
{
public:
    using Camera::Camera;

    void Apply() override { ++applies; }
    void ApplyZBiased() override { ++zBiasedApplies; }

    int applies = 0;
    int zBiasedApplies = 0;
};

// Records draws, scene brackets and swaps next to the state updates, and
// makes counting cameras.
class FrameRecordingRenderSystem : public RecordingRenderSystem
{
public:
    struct Draw
    {
        const OrvaneEngine::IndexBuffer* indexBuffer;
        std::uint32_t primitives;
        bool strip;
        std::uint32_t cullMode;
        bool zEnable;
        bool zWrite;
        bool stencil;
        bool lighting;
        bool normalizeNormals;
    };

    using RecordingRenderSystem::RecordingRenderSystem;

    OrvaneEngine::Camera* CreateCamera(std::uint32_t type) override { return new CountingCamera(type); }
    void BeginScene() override { calls.push_back({"BeginScene", NoStage}); }
    void EndScene() override { calls.push_back({"EndScene", NoStage}); }
    void SwapBuffers() override { calls.push_back({"SwapBuffers", NoStage}); }
    void DrawIndexedPrimitive(bool strip, OrvaneEngine::IndexBuffer* indexBuffer, OrvaneEngine::VertexBuffer*,
                              std::uint32_t primitiveCount) override
    {
        calls.push_back({"DrawIndexedPrimitive", NoStage});
        draws.push_back(
            {indexBuffer, primitiveCount, strip, cullMode, zEnable, zWrite, stencilEnable, lighting, normalizeNormals});
    }

    std::vector<Draw> draws;
};

class ModelFixture : public ::testing::Test
{
protected:
    ModelFixture()
    {
        renderSystem.ready = true;
        renderSystem.InitTextureStages();
        timers.frameTime = 0.0f;
        UsePerspective(*cameras.defaultCamera);
        log.ClearMessages();
    }

    // The default camera's projection (near 1, far 1000, a 60 degree
    // vertical view) at the origin, looking down -z, as the device camera
    // computes it; the camera base class only derives axes and frustum.
    static void UsePerspective(OrvaneEngine::Camera& camera)
    {
        for (float& element : camera.projection.m)
            element = 0.0f;
        camera.projection.m[0] = 1.2990381f;
        camera.projection.m[5] = 1.7320508f;
        camera.projection.m[10] = -1001.0f / 999.0f;
        camera.projection.m[11] = -1.0f;
        camera.projection.m[14] = -2000.0f / 999.0f;
        camera.Update(4.0f / 3.0f);
    }

    // Writes a model file as data\<name>.
    void Put(const std::string& name, const content::ModelFileRecord& record,
             const content::ModelFileDamage& damage = {})
    {
        ASSERT_TRUE(content::ModelFileWriter::WriteTo(DataPath(name), record, damage));
    }

    void PutShader(const std::string& name, const content::ShaderFileRecord& record)
    {
        ASSERT_TRUE(content::ShaderFileWriter::WriteTo(DataPath(name), record));
    }

    std::string DataPath(const std::string& name) const
    {
        std::string path = folder.Join("data/" + name);
        for (char& c : path)
            if (c == '\\')
                c = '/';
        return path;
    }

    std::unique_ptr<OrvaneEngine::Model> Load(const std::string& name, std::uint32_t flags = 0)
    {
        return std::make_unique<OrvaneEngine::Model>(&log, &files, &timers, &renderSystem, &cameras, &lights,
                                                     &shaders, name, nullptr, flags);
    }

    std::unique_ptr<OrvaneEngine::Model> Box(const OrvaneEngine::Vector3& a, const OrvaneEngine::Vector3& b,
                                             std::uint32_t flags = 0,
                                             const OrvaneEngine::ShaderDescriptor* descriptor = nullptr)
    {
        return std::make_unique<OrvaneEngine::Model>(&log, &files, &timers, &renderSystem, &cameras, &lights,
                                                     &shaders, a, b, descriptor, nullptr, flags);
    }

    std::unique_ptr<OrvaneEngine::Model> Procedural(std::uint32_t flags, std::uint32_t vertices,
                                                    std::uint32_t indices, std::uint32_t frames = 1)
    {
        return std::make_unique<OrvaneEngine::Model>(&log, &files, &timers, &renderSystem, &cameras, &lights,
                                                     &shaders, flags, vertices, indices, frames, nullptr, nullptr);
    }

    // The texts of the log's entries of one level (2: errors).
    std::vector<std::string> Entries(std::uint32_t level) const
    {
        std::vector<std::string> texts;
        for (std::int32_t index = 0; index < log.GetMessageCount(); ++index)
        {
            const OrvaneEngine::LogMessage entry = log.GetMessage(static_cast<std::uint32_t>(index));
            if (entry.level == level)
                texts.push_back(entry.text);
        }
        return texts;
    }

    static std::string ErrorEntry(const std::string& text) { return "\nError: " + text + "!\n\n"; }

    TempFolder folder;
    OrvaneEngine::MessageManager log{"Test", false, false, "", ""};
    OrvaneEngine::FileManager files{&log, folder.Path(), "Data"};
    OrvaneEngine::Config config{&log, &files, folder.Path(), "Test", false, "800x600x32", false, false};
    OrvaneEngine::TimerManager timers;
    FrameRecordingRenderSystem renderSystem{&log, &config};
    OrvaneEngine::CameraManager cameras{&log, nullptr, &renderSystem};
    OrvaneEngine::LightManager lights{&log, &renderSystem};
    OrvaneEngine::ShaderManager shaders{&log, &files, &timers, &config, &renderSystem};
    OrvaneEngine::ModelManager models{&log, &files, &timers, &renderSystem, &cameras, &lights, &shaders};
};

} // namespace corvellan::test
