#include "tests/support/RecordingRenderSystem.h"

#include "engine/render/Camera.h"
#include "engine/render/IndexBuffer_D3D7.h"
#include "engine/render/Light.h"
#include "engine/render/Texture2D.h"
#include "engine/render/VertexBuffer_D3D7.h"

#include <algorithm>

using namespace OrvaneEngine;

namespace corvellan::test
{

RecordingRenderSystem::RecordingRenderSystem(MessageManager* log_, Config* config_, std::uint32_t textureStages,
                                             std::uint32_t maxAnisotropy_, Window* window_, bool stencilBuffer_,
                                             bool allowLargeWindow_)
    : RenderSystem(log_, config_, window_, stencilBuffer_, allowLargeWindow_)
{
    textureStageCount = textureStages;
    maxAnisotropy = maxAnisotropy_;
    maxTextureWidth = 2048;
    maxTextureHeight = 2048;
}

std::size_t RecordingRenderSystem::Count(const std::string& name) const
{
    return static_cast<std::size_t>(
        std::count_if(calls.begin(), calls.end(), [&](const Call& call) { return call.name == name; }));
}

std::size_t RecordingRenderSystem::Count(const std::string& name, std::uint32_t stage) const
{
    return static_cast<std::size_t>(std::count_if(
        calls.begin(), calls.end(), [&](const Call& call) { return call.name == name && call.stage == stage; }));
}

void RecordingRenderSystem::ClearCalls()
{
    calls.clear();
    materials.clear();
}

void RecordingRenderSystem::Record(const char* name, std::uint32_t stage)
{
    calls.push_back(Call{name, stage});
}

Camera* RecordingRenderSystem::CreateCamera(std::uint32_t value)
{
    return new Camera(value);
}

std::unique_ptr<VertexBuffer> RecordingRenderSystem::CreateVertexBuffer(std::uint32_t usage, bool coloured,
                                                                        std::uint32_t vertexCount)
{
    return std::make_unique<VertexBuffer_D3D7>(this, usage, coloured, vertexCount);
}

std::unique_ptr<VertexBuffer> RecordingRenderSystem::CreateVertexBufferFrom(std::uint32_t usage, bool coloured,
                                                                            const VertexBuffer* source)
{
    return std::make_unique<VertexBuffer_D3D7>(this, usage, coloured, *source);
}

std::unique_ptr<VertexBuffer> RecordingRenderSystem::CloneVertexBuffer(const VertexBuffer* source)
{
    return std::make_unique<VertexBuffer_D3D7>(this, *source);
}

std::unique_ptr<IndexBuffer> RecordingRenderSystem::CreateIndexBuffer(std::uint32_t usage, std::uint32_t indexCount)
{
    return std::make_unique<IndexBuffer_D3D7>(this, usage, indexCount);
}

std::unique_ptr<IndexBuffer> RecordingRenderSystem::CreateIndexBufferFrom(std::uint32_t usage,
                                                                          const IndexBuffer* source)
{
    return std::make_unique<IndexBuffer_D3D7>(this, usage, *source);
}

std::unique_ptr<IndexBuffer> RecordingRenderSystem::CloneIndexBuffer(const IndexBuffer* source)
{
    return std::make_unique<IndexBuffer_D3D7>(this, *source);
}

std::unique_ptr<Texture2D> RecordingRenderSystem::CreateTexture(TextureManager* textureManager,
                                                                const std::string& key, Image*, Image*,
                                                                bool mipMapped)
{
    return std::make_unique<Texture2D>(log, config, textureManager, key, mipMapped);
}

Light* RecordingRenderSystem::CreateLight(std::uint32_t deviceLightIndex)
{
    return new Light(log, deviceLightIndex);
}

void RecordingRenderSystem::CaptureScreen(Image&)
{
}

void RecordingRenderSystem::SetMaterial(const Color& ambient, const Color& diffuse, const Color& specular,
                                        const Color& emissive, float power)
{
    materials.push_back(Material{ambient, diffuse, specular, emissive, power});
    Record("SetMaterial");
}

void RecordingRenderSystem::UpdateProjectionMatrix()
{
    Record("UpdateProjectionMatrix");
}

void RecordingRenderSystem::UpdateViewMatrix()
{
    Record("UpdateViewMatrix");
}

void RecordingRenderSystem::UpdateWorldMatrix()
{
    Record("UpdateWorldMatrix");
}

void RecordingRenderSystem::UpdateAmbientColor()
{
    Record("UpdateAmbientColor");
}

void RecordingRenderSystem::UpdateAlphaBlend()
{
    Record("UpdateAlphaBlend");
}

void RecordingRenderSystem::UpdateBlend()
{
    Record("UpdateBlend");
}

void RecordingRenderSystem::UpdateTexture(std::uint32_t stage)
{
    Record("UpdateTexture", stage);
}

void RecordingRenderSystem::UpdateMaxTextureAnisotropy(std::uint32_t stage)
{
    Record("UpdateMaxTextureAnisotropy", stage);
}

void RecordingRenderSystem::UpdateTextureFilter(std::uint32_t stage)
{
    Record("UpdateTextureFilter", stage);
}

void RecordingRenderSystem::UpdateTextureAdressU(std::uint32_t stage)
{
    Record("UpdateTextureAdressU", stage);
}

void RecordingRenderSystem::UpdateTextureAdressV(std::uint32_t stage)
{
    Record("UpdateTextureAdressV", stage);
}

void RecordingRenderSystem::UpdateTextureMatrix(std::uint32_t stage)
{
    Record("UpdateTextureMatrix", stage);
}

void RecordingRenderSystem::UpdateCullMode()
{
    Record("UpdateCullMode");
}

void RecordingRenderSystem::UpdateLighting()
{
    Record("UpdateLighting");
}

void RecordingRenderSystem::UpdateNormalizeNormals()
{
    Record("UpdateNormalizeNormals");
}

void RecordingRenderSystem::UpdateZ()
{
    Record("UpdateZ");
}

void RecordingRenderSystem::UpdateZWrite()
{
    Record("UpdateZWrite");
}

void RecordingRenderSystem::UpdateStencil()
{
    Record("UpdateStencil");
}

} // namespace corvellan::test
