// The particle-file reader on hostile bytes. The input is read as an
// in-memory "OVPSF" file; what the reader accepts must respect the count
// bound. An accepted file is then loaded as a system over a render system
// without a device and run for 50 frames, emitting and looping, with its
// sprites written every frame.
#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemFile.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"
#include "tests/support/FuzzWorkspace.h"
#include "tests/support/RecordingRenderSystem.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <string>

namespace
{

using namespace OrvaneEngine;

// Legal counts go up to four million; building that many particles for every
// such input would trip the fuzzer's memory limit, not find a fault.
constexpr std::uint32_t MaxCountToRun = 65536;
constexpr int Frames = 50;

void Run(corvellan::test::FuzzWorkspace& space, const std::uint8_t* data, std::size_t size)
{
    space.Put("data/fuzz.psf", data, size);
    corvellan::test::RecordingRenderSystem renderSystem(&space.log, &space.config);
    CameraManager cameraManager(&space.log, nullptr, &renderSystem);
    LightManager lightManager(&space.log, &renderSystem);
    ShaderManager shaderManager(&space.log, &space.files, &space.timers, &space.config,
                                &renderSystem);
    ModelManager models(&space.log, &space.files, &space.timers, &renderSystem, &cameraManager,
                        &lightManager, &shaderManager);
    SpriteGroupManager groups(&space.log, &cameraManager, &shaderManager, &models);
    ParticleSystemManager particles(&space.log, &space.files, &space.timers, &shaderManager, &groups);
    Camera camera(0);
    camera.position = Vector3(0.0f, 0.0f, 10.0f);
    camera.right = Vector3(1.0f, 0.0f, 0.0f);
    camera.up = Vector3(0.0f, 1.0f, 0.0f);
    camera.direction = Vector3(0.0f, 0.0f, 1.0f);

    ParticleSystem* system = particles.LoadParticleSystem("fuzz.psf", &camera);
    system->emitting = 1;
    system->looping = 1;
    system->emitterPoints = {Vector3(0.0f, 0.0f, 0.0f), Vector3(3.0f, -2.0f, 1.0f), Vector3(-1.0f, 4.0f, 0.5f)};
    system->alongLines = data[size - 1] & 1;
    particles.HideWhenFinished(system);
    SeedRandom(size);
    space.timers.frameTime = 0.1f;
    for (int frame = 0; frame < Frames; ++frame)
    {
        particles.Update();
        groups.Update();
        if (system->GetLiveCount() > system->GetMaxParticleCount())
            __builtin_trap();
        const SpriteGroup* group = system->GetSpriteGroup();
        if (group->GetFreeCount() + system->GetLiveCount() > group->GetCount())
            __builtin_trap();
    }
    space.log.ClearMessages();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static corvellan::test::FuzzWorkspace space;
    if (size == 0 || size > std::numeric_limits<std::uint32_t>::max())
        return 0;
    FileBinary file("fuzz.psf", false, false, true, static_cast<std::uint32_t>(size), data);
    ParticleSystemFile contents;
    try
    {
        contents.Read(file, "fuzz.psf");
    }
    catch (const FileError&)
    {
        return 0;
    }
    if (contents.maxParticleCount > ParticleSystemFile::MaxParticleCount)
        __builtin_trap();
    if (contents.maxParticleCount <= MaxCountToRun)
        Run(space, data, size);
    return 0;
}
