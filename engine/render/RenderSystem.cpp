#include "engine/render/RenderSystem.h"

#include "engine/core/Config.h"
#include "engine/core/MathConstants.h"
#include "engine/render/AdapterInfo.h"
#include "engine/render/DeviceInfo.h"
#include "engine/render/ModeInfo.h"

#include <algorithm>
#include <cmath>

namespace OrvaneEngine
{

RenderSystem::RenderSystem(MessageManager* log_, Config* config_, Window* window_, bool stencilBuffer_,
                           bool allowLargeWindow_)
    : log(log_), config(config_), window(window_), videoSettings(config_), stencilBuffer(stencilBuffer_),
      allowLargeWindow(allowLargeWindow_)
{
}

RenderSystem::~RenderSystem()
{
    for (AdapterInfo* each : adapters)
    {
        for (DeviceInfo* device : each->devices)
        {
            for (ModeInfo* mode : device->modes)
                delete mode;
            delete device;
        }
        delete each;
    }
    adapters.clear();
}

void RenderSystem::Refresh()
{
    std::int32_t anisotropy = static_cast<std::int32_t>(videoSettings->textureAnisotropy);
    anisotropy = std::min(anisotropy, static_cast<std::int32_t>(maxAnisotropy));
    anisotropy = std::max(anisotropy, 1);
    const auto wanted = static_cast<std::uint32_t>(anisotropy);
    videoSettings->textureAnisotropy = wanted;
    for (std::uint32_t stage = 0; stage < stageMaxAnisotropy.size(); ++stage)
    {
        if (forceStates || stageMaxAnisotropy[stage] != wanted)
        {
            stageMaxAnisotropy[stage] = wanted;
            UpdateMaxTextureAnisotropy(stage);
        }
    }
}

void RenderSystem::BeginScene()
{
}

void RenderSystem::EndScene()
{
}

void RenderSystem::SwapBuffers()
{
}

void RenderSystem::CheckVideoMode()
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t depth = 0;
    ParseVideoMode(videoSettings->videoMode, &width, &height, &depth);
    const DeviceInfo* device = adapter ? adapter->device : nullptr;
    if (!device || !device->mode)
    {
        resetNeeded = true;
        return;
    }
    if (device->fullscreen != videoSettings->fullscreen || device->mode->height != height ||
        device->mode->width != width || device->mode->depth != depth)
        resetNeeded = true;
}

void RenderSystem::Reset(std::uint32_t mask)
{
    if (mask & 1)
    {
        resetNeeded = false;
        ready = true;
    }
    if (mask & 2)
        reloadTextures = false;
}

void RenderSystem::DrawIndexedPrimitive(bool, IndexBuffer*, VertexBuffer*, std::uint32_t)
{
}

void RenderSystem::ResizeTextureStages(std::uint32_t count)
{
    stageTexture.resize(count, nullptr);
    stageMaxAnisotropy.resize(count, 0);
    stageFilter.resize(count, 0);
    stageAddressU.resize(count, 0);
    stageAddressV.resize(count, 0);
    stageTransform.resize(count, std::array<float, 4>{0.0f, 0.0f, 0.0f, 0.0f});
}

void RenderSystem::InitTextureStages()
{
    ResizeTextureStages(textureStageCount);
    ready = true;
    SetDefaultStates();
}

void RenderSystem::SetDefaultStates()
{
    SetMaterial(Color(0.6f, 0.6f, 0.6f, 1.0f), Color(1.0f, 1.0f, 1.0f, 1.0f), Color(0.0f, 0.0f, 0.0f, 0.0f),
                Color(0.0f, 0.0f, 0.0f, 1.0f), 0.0f);
    forceStates = true;
    Matrix4 identity;
    Matrix4::Identity(identity);
    SetViewMatrix(identity);
    SetWorldMatrix(identity);
    SetAmbientColor(Color(0.0f, 0.0f, 0.0f, 1.0f));
    SetAlphaBlend(false);
    SetBlend(BlendZero, BlendZero);
    for (std::uint32_t stage = 0; stage < stageTexture.size(); ++stage)
    {
        SetTexture(stage, nullptr);
        SetMaxTextureAnisotropy(stage, 1);
        SetTextureFilter(stage, TextureFilterBilinear);
        SetTextureAdressU(stage, TextureAddressWrap);
        SetTextureAdressV(stage, TextureAddressWrap);
        SetTextureTransform(stage, 1.0f, 1.0f, 0.0f, 0.0f);
    }
    SetCullMode(CullModeNone);
    SetLighting(false);
    SetNormalizeNormals(false);
    SetZ(false);
    SetZWrite(true);
    SetStencil(false);
    forceStates = false;
    lightsLost = false;
}

void RenderSystem::SetViewMatrix(const Matrix4& matrix)
{
    if (!forceStates && viewMatrix == matrix)
        return;
    viewMatrix = matrix;
    UpdateViewMatrix();
}

void RenderSystem::SetWorldMatrix(const Matrix4& matrix)
{
    if (!forceStates && worldMatrix == matrix)
        return;
    worldMatrix = matrix;
    UpdateWorldMatrix();
}

void RenderSystem::SetAmbientColor(const Color& color)
{
    if (!forceStates && !(ambientColor != color))
        return;
    ambientColor = color;
    UpdateAmbientColor();
}

void RenderSystem::SetAlphaBlend(bool enable)
{
    if (!forceStates && alphaBlend == enable)
        return;
    alphaBlend = enable;
    UpdateAlphaBlend();
}

void RenderSystem::SetBlend(std::uint32_t source, std::uint32_t destination)
{
    if (!forceStates && sourceBlend == source && destinationBlend == destination)
        return;
    sourceBlend = source;
    destinationBlend = destination;
    UpdateBlend();
}

void RenderSystem::SetTexture(std::uint32_t stage, Texture2D* texture)
{
    if (stage >= stageTexture.size() || (!forceStates && stageTexture[stage] == texture))
        return;
    stageTexture[stage] = texture;
    UpdateTexture(stage);
}

void RenderSystem::SetMaxTextureAnisotropy(std::uint32_t stage, std::uint32_t anisotropy)
{
    if (stage >= stageMaxAnisotropy.size() || (!forceStates && stageMaxAnisotropy[stage] == anisotropy))
        return;
    stageMaxAnisotropy[stage] = anisotropy;
    UpdateMaxTextureAnisotropy(stage);
}

void RenderSystem::SetTextureFilter(std::uint32_t stage, std::uint32_t filter)
{
    if (stage >= stageFilter.size() || (!forceStates && stageFilter[stage] == filter))
        return;
    stageFilter[stage] = filter;
    UpdateTextureFilter(stage);
}

void RenderSystem::SetTextureAdressU(std::uint32_t stage, std::uint32_t address)
{
    if (stage >= stageAddressU.size() || (!forceStates && stageAddressU[stage] == address))
        return;
    stageAddressU[stage] = address;
    UpdateTextureAdressU(stage);
}

void RenderSystem::SetTextureAdressV(std::uint32_t stage, std::uint32_t address)
{
    if (stage >= stageAddressV.size() || (!forceStates && stageAddressV[stage] == address))
        return;
    stageAddressV[stage] = address;
    UpdateTextureAdressV(stage);
}

void RenderSystem::SetTextureTransform(std::uint32_t stage, float scaleU, float scaleV, float offsetU,
                                       float offsetV)
{
    if (stage >= stageTransform.size())
        return;
    const std::array<float, 4> wanted{scaleU, scaleV, offsetU, offsetV};
    std::array<float, 4>& cached = stageTransform[stage];
    bool same = true;
    for (std::size_t i = 0; i < wanted.size(); ++i)
        same = same && std::fabs(cached[i] - wanted[i]) <= kMathTolerance;
    if (!forceStates && same)
        return;
    cached = wanted;
    UpdateTextureMatrix(stage);
}

void RenderSystem::SetCullMode(std::uint32_t mode)
{
    if (!forceStates && cullMode == mode)
        return;
    cullMode = mode;
    UpdateCullMode();
}

void RenderSystem::SetLighting(bool enable)
{
    if (!forceStates && lighting == enable)
        return;
    lighting = enable;
    UpdateLighting();
}

void RenderSystem::SetNormalizeNormals(bool enable)
{
    if (!forceStates && normalizeNormals == enable)
        return;
    normalizeNormals = enable;
    UpdateNormalizeNormals();
}

void RenderSystem::SetZ(bool enable)
{
    if (!forceStates && zEnable == enable)
        return;
    zEnable = enable;
    UpdateZ();
}

void RenderSystem::SetZWrite(bool enable)
{
    if (!forceStates && zWrite == enable)
        return;
    zWrite = enable;
    UpdateZWrite();
}

void RenderSystem::SetStencil(bool enable)
{
    if (!forceStates && stencilEnable == enable)
        return;
    stencilEnable = enable;
    UpdateStencil();
}

} // namespace OrvaneEngine
