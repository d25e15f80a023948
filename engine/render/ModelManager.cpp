#include "engine/render/ModelManager.h"

#include "engine/core/Error.h"
#include "engine/render/RenderSystem.h"

#include <algorithm>
#include <cmath>

namespace OrvaneEngine
{
namespace
{

// 0 opaque, 1 blended, 2 neither; opaque wins when both bits are set, as in Model::SetFlags.
std::uint32_t Rank(const Model* model)
{
    if (model->GetFlags() & Model::FlagOpaque)
        return 0;
    if (model->GetFlags() & Model::FlagBlended)
        return 1;
    return 2;
}

float Key(const Model* model)
{
    return std::isnan(model->depth) ? 0.0f : model->depth;
}

} // namespace

bool CompareModels(const Model* a, const Model* b)
{
    const std::uint32_t rankA = Rank(a);
    const std::uint32_t rankB = Rank(b);
    if (rankA != rankB)
        return rankA < rankB;
    if (rankA == 0)
        return Key(a) < Key(b);
    if (rankA == 1)
        return Key(a) > Key(b);
    return false;
}

ModelManager::ModelManager(MessageManager* log_, FileManager* files_, TimerManager* timers_,
                           RenderSystem* renderSystem_, CameraManager* cameraManager_, LightManager* lightManager_,
                           ShaderManager* shaderManager_)
    : log(log_), files(files_), timers(timers_), renderSystem(renderSystem_), cameraManager(cameraManager_),
      lightManager(lightManager_), shaderManager(shaderManager_), models(registry.GetObjects())
{
}

ModelManager::~ModelManager()
{
    renderList.clear();
    renderList.shrink_to_fit();
    // The registry deletes every registered model as it goes.
}

void ModelManager::Render()
{
    triangles = 0;
    trianglesDrawn = 0;
    visibleModels = 0;
    drawnModels = 0;
    if (!renderSystem->ready)
        return;

    renderList.clear();
    if (renderList.capacity() < models.size())
    {
        renderList.reserve(models.size());
    }
    for (Model* model : models)
    {
        if (model == nullptr)
            continue;
        model->Update(true);
        if ((model->GetFlags() & Model::FlagVisible) == 0)
            continue;
        triangles += model->GetPrimitiveCount();
        trianglesDrawn += model->GetPrimitivesToDraw();
        ++visibleModels;
        if (model->GetPrimitivesToDraw() != 0)
        {
            ++drawnModels;
            renderList.push_back(model);
        }
    }
    sorter.Sort(renderList);

    renderSystem->BeginScene();
    for (Model* model : renderList)
        model->Render();
    renderSystem->EndScene();
}

void ModelManager::Present()
{
    if (renderSystem->ready)
        renderSystem->SwapBuffers();
}

Model* ModelManager::CreateModel(std::uint32_t flags, std::uint32_t vertexCount, std::uint32_t indexCount,
                                 std::uint32_t frameCount, const ShaderDescriptor* descriptor, Camera* camera)
{
    Model* model = new Model(log, files, timers, renderSystem, cameraManager, lightManager, shaderManager, flags,
                             vertexCount, indexCount, frameCount, descriptor, camera);
    registry.Add(model);
    return model;
}

Model* ModelManager::CreateBoxModelResource(const Vector3& a, const Vector3& b, const ShaderDescriptor* descriptor,
                                            Camera* camera, std::uint32_t flags)
{
    return new Model(log, files, timers, renderSystem, cameraManager, lightManager, shaderManager, a, b, descriptor,
                     camera, flags);
}

Model* ModelManager::LoadModel(const std::string& fileName, Camera* camera, std::uint32_t flags)
{
    Model* model = LoadModelResource(fileName, camera, flags);
    registry.Add(model);
    return model;
}

Model* ModelManager::LoadModelResource(const std::string& fileName, Camera* camera, std::uint32_t flags)
{
    try
    {
        return new Model(log, files, timers, renderSystem, cameraManager, lightManager, shaderManager, fileName,
                         camera, flags);
    }
    catch (const Error&)
    {
        // The file constructor has logged it; missing data never stops the drawing.
    }
    Model* box = CreateBoxModelResource(Vector3(-1.0f, -1.0f, -1.0f), Vector3(1.0f, 1.0f, 1.0f), nullptr, camera, flags);
    box->SetName(fileName);
    return box;
}

Model* ModelManager::CloneModel(const Model* source, Camera* camera, std::uint32_t flags)
{
    Model* model = CloneModelResource(source, camera, flags);
    registry.Add(model);
    return model;
}

Model* ModelManager::CloneModelResource(const Model* source, Camera* camera, std::uint32_t flags)
{
    return new Model(*source, camera, flags);
}

void ModelManager::ReleaseModel(Model* model)
{
    if (registry.Remove(model))
        delete model;
}

} // namespace OrvaneEngine
