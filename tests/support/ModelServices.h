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
#include "tests/support/FrameRecordingRenderSystem.h"
#include "tests/support/TempFolder.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvellan::test
{

class ModelServices
{
public:
    ModelServices();
    // Calls prepare on the fresh folder before any service is made, so that
    // the file manager finds the packs it was given (it looks for them only
    // when it is made).
    explicit ModelServices(const std::function<void(const TempFolder&)>& prepare);
    ModelServices(const ModelServices&) = delete;
    ModelServices& operator=(const ModelServices&) = delete;

    // The default camera's projection (near 1, far 1000, a 60 degree
    // vertical view) at the origin, looking down -z, as the device camera
    // computes it; the camera base class only derives axes and frustum.
    static void UsePerspective(OrvaneEngine::Camera& camera);

    // Writes a model or shader file as data\<name>; false when it cannot.
    bool WriteModel(const std::string& name, const content::ModelFileRecord& record,
                    const content::ModelFileDamage& damage = {}) const;
    bool WriteShader(const std::string& name, const content::ShaderFileRecord& record) const;
    // Where data\<name> lies on disk.
    std::string DataPath(const std::string& name) const;

    std::unique_ptr<OrvaneEngine::Model> Load(const std::string& name, std::uint32_t flags = 0);
    std::unique_ptr<OrvaneEngine::Model> Box(const OrvaneEngine::Vector3& a, const OrvaneEngine::Vector3& b,
                                             std::uint32_t flags = 0,
                                             const OrvaneEngine::ShaderDescriptor* descriptor = nullptr);
    std::unique_ptr<OrvaneEngine::Model> Procedural(std::uint32_t flags, std::uint32_t vertices,
                                                    std::uint32_t indices, std::uint32_t frames = 1);

    // The texts of the log's entries of one level (2: errors).
    std::vector<std::string> Entries(std::uint32_t level) const;
    // An error entry's text as the log frames it.
    static std::string ErrorEntry(const std::string& text);

    TempFolder folder;

private:
    // Made between the folder and the services, so that the preparation runs
    // in that order.
    bool prepared = false;

public:
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
