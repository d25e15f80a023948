#pragma once

#include "engine/core/Vector3.h"
#include "engine/render/Model.h"
#include "engine/render/ObjectManager.h"
#include "engine/render/RenderListSorter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class Camera;
class CameraManager;
class FileManager;
class LightManager;
class MessageManager;
class RenderSystem;
class ShaderDescriptor;
class ShaderManager;
class TimerManager;

// Makes every model and runs the render pass. Registered models are kept,
// updated, drawn and finally deleted here; resource models (the operations
// ending in Resource) belong to the caller and are never drawn by themselves.
class ModelManager
{
public:
    ModelManager(MessageManager* log, FileManager* files, TimerManager* timers, RenderSystem* renderSystem,
                 CameraManager* cameraManager, LightManager* lightManager, ShaderManager* shaderManager);
    virtual ~ModelManager();
    ModelManager(const ModelManager&) = delete;
    ModelManager& operator=(const ModelManager&) = delete;

    // Updates every registered model and draws the visible, unculled ones in
    // render order between BeginScene and EndScene. Nothing while the device
    // is not ready.
    void Render();
    // Shows the frame when the device is ready.
    void Present();

    // A procedural model, registered.
    Model* CreateModel(std::uint32_t flags, std::uint32_t vertexCount, std::uint32_t indexCount,
                       std::uint32_t frameCount, const ShaderDescriptor* descriptor = nullptr,
                       Camera* camera = nullptr);
    Model* CreateBoxModelResource(const Vector3& a, const Vector3& b, const ShaderDescriptor* descriptor = nullptr,
                                  Camera* camera = nullptr, std::uint32_t flags = 0);
    // Never fails: a file that cannot be used gives the box (-1, -1, -1)-(1, 1, 1)
    // with the default shader, named after the file.
    Model* LoadModel(const std::string& fileName, Camera* camera = nullptr, std::uint32_t flags = 0);
    Model* LoadModelResource(const std::string& fileName, Camera* camera = nullptr, std::uint32_t flags = 0);
    Model* CloneModel(const Model* source, Camera* camera = nullptr, std::uint32_t flags = 0);
    Model* CloneModelResource(const Model* source, Camera* camera = nullptr, std::uint32_t flags = 0);
    // Deletes a registered model; null and resource models are left alone.
    void ReleaseModel(Model* model);

    // The registered models alive.
    std::uint32_t GetModelCount() const { return registry.GetCount(); }

    // Of the last render pass: primitives of the visible models, primitives
    // drawn, visible models, and visible models with something to draw.
    std::uint32_t triangles = 0;
    std::uint32_t trianglesDrawn = 0;
    std::uint32_t visibleModels = 0;
    std::uint32_t drawnModels = 0;

private:
    MessageManager* log;
    FileManager* files;
    TimerManager* timers;
    RenderSystem* renderSystem;
    CameraManager* cameraManager;
    LightManager* lightManager;
    ShaderManager* shaderManager;
    ObjectManager<Model> registry;
    std::vector<Model*>& models;
    std::vector<Model*> renderList;
    // Like the render list, the sort keeps its working space.
    RenderListSorter sorter;
};

// The render order, true when a is drawn before b: the opaque group (0x200)
// in ascending depth, then the blended group (0x400) in descending depth,
// then models of neither group. 0x200 wins when both bits are set, and a NaN
// depth counts as 0, so the order stays strict and weak for any models.
bool CompareModels(const Model* a, const Model* b);

} // namespace OrvaneEngine
