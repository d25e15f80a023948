#pragma once

#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderManager.h"
#include "tests/support/FuzzWorkspace.h"
#include "tests/support/RecordingRenderSystem.h"

namespace corvellan::test
{

// What a GUI font is made with, device-free, over a fuzz workspace: the
// recording render system, cameras, lights, shaders, models and a GUI camera
// (kind 1). A target keeps one for the whole process.
struct FuzzGuiServices
{
    FuzzWorkspace workspace;
    RecordingRenderSystem renderSystem{&workspace.log, &workspace.config};
    OrvaneEngine::CameraManager cameras{&workspace.log, nullptr, &renderSystem};
    OrvaneEngine::LightManager lights{&workspace.log, &renderSystem};
    OrvaneEngine::ShaderManager shaders{&workspace.log, &workspace.files, &workspace.timers, &workspace.config,
                                        &renderSystem};
    OrvaneEngine::ModelManager models{&workspace.log, &workspace.files, &workspace.timers, &renderSystem,
                                      &cameras,       &lights,          &shaders};
    OrvaneEngine::Camera* guiCamera = cameras.CreateCamera(1);
};

} // namespace corvellan::test
