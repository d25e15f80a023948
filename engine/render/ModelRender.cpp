#include "engine/render/Model.h"

#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderUser.h"

namespace OrvaneEngine
{

void Model::Render()
{
    if ((flags & FlagVisible) == 0 || primitivesToDraw == 0 ||
        shaderUser->stageCount > renderSystem->textureStageCount ||
        ((flags & FlagStencil) != 0 && !renderSystem->stencilAvailable))
        return;

    cameraManager->SetCamera(camera, (flags & FlagZBiased) != 0);
    const bool lit = (flags & FlagLit) != 0;
    lightManager->SetLighting(lit);
    renderSystem->SetNormalizeNormals(lit);
    Matrix4 world;
    GetWorldMatrix(world);
    renderSystem->SetWorldMatrix(world);
    renderSystem->SetZ((flags & FlagDepthTest) != 0);
    renderSystem->SetZWrite((flags & FlagNoDepthWrite) == 0);
    renderSystem->SetStencil((flags & FlagStencil) != 0);

    std::uint32_t cullModes[2] = {CullModeNone, CullModeNone};
    std::uint32_t passes = 1;
    if (flags & FlagTwoPass)
    {
        cullModes[0] = CullModeCounterClockwise;
        cullModes[1] = CullModeClockwise;
        passes = 2;
    }
    else if (flags & FlagCullClockwise)
    {
        cullModes[0] = CullModeClockwise;
    }
    else if (flags & FlagCullCounterClockwise)
    {
        cullModes[0] = CullModeCounterClockwise;
    }

    for (std::uint32_t pass = 0; pass < passes; ++pass)
    {
        renderSystem->SetCullMode(cullModes[pass]);
        shaderUser->Apply();
        renderSystem->DrawIndexedPrimitive(strip != 0, indexBuffer.get(), vertexBuffer.get(), primitiveCount);
    }
}

} // namespace OrvaneEngine
