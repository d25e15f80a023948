// The model-file reader on hostile bytes: the input is read as an in-memory
// "OVMLF" file. A model it accepts is updated at its first and last frame and
// picked once, on a render system without a device, so every count and index
// the reader let through is exercised by the code that trusts it.
#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderManager.h"
#include "tests/support/RecordingRenderSystem.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>

namespace
{

using namespace OrvaneEngine;

// The device-free render system, with cameras that keep their identity
// projection: culling and depth still run on every accepted model.
class FuzzRenderSystem : public corvellan::test::RecordingRenderSystem
{
public:
    using RecordingRenderSystem::RecordingRenderSystem;

    Camera* CreateCamera(std::uint32_t type) override { return new Camera(type); }
};

// Built once: the services outlive every input.
struct Services
{
    MessageManager log{"Fuzz", false, false, "", ""};
    FileManager files{&log, "/nonexistent-model-fuzz-root", "Data"};
    Config config{&log, &files, "/nonexistent-model-fuzz-root", "Fuzz", false, "800x600x32", false, false};
    TimerManager timers;
    FuzzRenderSystem renderSystem{&log, &config};
    CameraManager cameras{&log, nullptr, &renderSystem};
    LightManager lights{&log, &renderSystem};
    ShaderManager shaders{&log, &files, &timers, &config, &renderSystem};
};

Services& GetServices()
{
    static Services* services = new Services;
    return *services;
}

void Exercise(Model& model)
{
    model.SetFlags(Model::FlagVisible);
    AnimationControl& animation = *model.GetAnimationControl();
    animation.Update();
    model.Update(true);
    animation.SetLastFrame();
    model.Update(false);
    float distance = 0.0f;
    model.Pick(Ray(Vector3(0.0f, 0.0f, 10.0f), Vector3(0.0f, 0.0f, -20.0f)), &distance);
    model.Pick(Ray(Vector3(0.0f, 0.0f, 10.0f), Vector3(0.0f, 0.0f, -20.0f)), nullptr);
    model.Render();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > std::numeric_limits<std::uint32_t>::max())
        return 0;
    Services& services = GetServices();
    services.log.ClearMessages();
    FileBinary file("fuzz.mlf", false, false, true, static_cast<std::uint32_t>(size), data);
    std::unique_ptr<Model> model;
    try
    {
        model = std::make_unique<Model>(&services.log, &services.files, &services.timers, &services.renderSystem,
                                        &services.cameras, &services.lights, &services.shaders, file,
                                        "models\\fuzz.mlf", nullptr, 0);
    }
    catch (const Error&)
    {
        return 0;
    }
    Exercise(*model);
    services.timers.frameTime = 0.05f;
    std::unique_ptr<Model> copy = std::make_unique<Model>(*model, nullptr, 0);
    Exercise(*copy);
    return 0;
}
