#include "engine/render/RenderSystem_D3D7.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"
#include "engine/render/Camera_D3D7.h"
#include "engine/render/D3DResultTexts.h"
#include "engine/render/IndexBuffer_D3D7.h"
#include "engine/render/Light_D3D7.h"
#include "engine/render/Texture2D_D3D7.h"
#include "engine/render/VertexBuffer_D3D7.h"

#include <algorithm>

namespace OrvaneEngine
{

RenderSystem_D3D7::RenderSystem_D3D7(MessageManager* log_, Config* config_, Window* window_, bool stencilBuffer_,
                                     bool allowLargeWindow_)
    : RenderSystem(log_, config_, window_, stencilBuffer_, allowLargeWindow_)
{
    log->Message("\nInitialization of Direct3D subsystem...");
    BuildDeviceList();
    CreateDevice(true);
    InitTextureStages();
    log->Message(" ");
}

RenderSystem_D3D7::~RenderSystem_D3D7()
{
    log->Message("\nDirect3D Subsystem destroying:");
    try
    {
        Release();
    }
    catch (const FatalError&)
    {
        // A reference still held is in the log as the fatal entry; a
        // destructor cannot end the program by throwing.
    }
    std::lock_guard guard(texturesLock);
    textures.clear();
}

void RenderSystem_D3D7::CheckResult(const char* context, std::int32_t result)
{
    if (result >= 0)
        return;
    log->Error("Direct3D Subsystem (" + std::string(context) + "): " + DescribeD3DResult(result));
}

std::uint32_t RenderSystem_D3D7::ToDeviceColor(const Color& color)
{
    // Clamped first: a channel outside [0, 1] would run into its neighbours.
    const auto channel = [](float c) { return static_cast<std::uint32_t>(std::clamp(c, 0.0f, 1.0f) * 255.0f); };
    return channel(color.a) << 24 | channel(color.r) << 16 | channel(color.g) << 8 | channel(color.b);
}

void RenderSystem_D3D7::AddTexture(Texture2D_D3D7* texture)
{
    std::lock_guard guard(texturesLock);
    textures.push_back(texture);
}

void RenderSystem_D3D7::RemoveTexture(Texture2D_D3D7* texture)
{
    {
        std::lock_guard guard(texturesLock);
        const auto it = std::find(textures.begin(), textures.end(), texture);
        if (it != textures.end())
        {
            textures.erase(it);
            return;
        }
    }
    log->Fatal("RenderSystem_D3D7: Failed to remove texture \"" + texture->GetKey() + "\"");
}

Camera* RenderSystem_D3D7::CreateCamera(std::uint32_t value)
{
    return new Camera_D3D7(this, value);
}

std::unique_ptr<VertexBuffer> RenderSystem_D3D7::CreateVertexBuffer(std::uint32_t usage, bool coloured,
                                                                    std::uint32_t vertexCount)
{
    return std::make_unique<VertexBuffer_D3D7>(this, usage, coloured, vertexCount);
}

std::unique_ptr<VertexBuffer> RenderSystem_D3D7::CreateVertexBufferFrom(std::uint32_t usage, bool coloured,
                                                                        const VertexBuffer* source)
{
    return std::make_unique<VertexBuffer_D3D7>(this, usage, coloured, *source);
}

std::unique_ptr<VertexBuffer> RenderSystem_D3D7::CloneVertexBuffer(const VertexBuffer* source)
{
    return std::make_unique<VertexBuffer_D3D7>(this, *source);
}

std::unique_ptr<IndexBuffer> RenderSystem_D3D7::CreateIndexBuffer(std::uint32_t usage, std::uint32_t indexCount)
{
    return std::make_unique<IndexBuffer_D3D7>(this, usage, indexCount);
}

std::unique_ptr<IndexBuffer> RenderSystem_D3D7::CreateIndexBufferFrom(std::uint32_t usage, const IndexBuffer* source)
{
    return std::make_unique<IndexBuffer_D3D7>(this, usage, *source);
}

std::unique_ptr<IndexBuffer> RenderSystem_D3D7::CloneIndexBuffer(const IndexBuffer* source)
{
    return std::make_unique<IndexBuffer_D3D7>(this, *source);
}

std::unique_ptr<Texture2D> RenderSystem_D3D7::CreateTexture(TextureManager* textureManager, const std::string& key,
                                                            Image* diffuse, Image* opacity, bool mipMapped)
{
    return std::make_unique<Texture2D_D3D7>(log, config, textureManager, this, key, diffuse, opacity, mipMapped);
}

Light* RenderSystem_D3D7::CreateLight(std::uint32_t deviceLightIndex)
{
    return new Light_D3D7(log, this, deviceLightIndex);
}

} // namespace OrvaneEngine
