#pragma once

// A render system without a device: the buffer factories make ordinary
// buffers in memory, cameras and lights are the device-independent ones,
// textures hold no picture, and every update operation of the state cache is
// recorded instead of sent. Free of the test framework, so fuzz targets can
// link it too.

#include "engine/render/RenderSystem.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvellan::test
{

class RecordingRenderSystem : public OrvaneEngine::RenderSystem
{
public:
    static constexpr std::uint32_t NoStage = 0xFFFFFFFFu;

    struct Call
    {
        std::string name;
        std::uint32_t stage;
    };

    struct Material
    {
        OrvaneEngine::Color ambient;
        OrvaneEngine::Color diffuse;
        OrvaneEngine::Color specular;
        OrvaneEngine::Color emissive;
        float power;
    };

    // textureStageCount and maxAnisotropy stand for the device's limits.
    RecordingRenderSystem(OrvaneEngine::MessageManager* log, OrvaneEngine::Config* config,
                          std::uint32_t textureStages = 2, std::uint32_t maxAnisotropy = 8,
                          OrvaneEngine::Window* window = nullptr, bool stencilBuffer = false,
                          bool allowLargeWindow = false);

    // How many update calls of that name (and, when given, that stage) were recorded.
    std::size_t Count(const std::string& name) const;
    std::size_t Count(const std::string& name, std::uint32_t stage) const;
    void ClearCalls();

    std::vector<Call> calls;
    std::vector<Material> materials;

    OrvaneEngine::Camera* CreateCamera(std::uint32_t value) override;
    std::unique_ptr<OrvaneEngine::VertexBuffer> CreateVertexBuffer(std::uint32_t usage, bool coloured,
                                                                   std::uint32_t vertexCount) override;
    std::unique_ptr<OrvaneEngine::VertexBuffer> CreateVertexBufferFrom(
        std::uint32_t usage, bool coloured, const OrvaneEngine::VertexBuffer* source) override;
    std::unique_ptr<OrvaneEngine::VertexBuffer> CloneVertexBuffer(const OrvaneEngine::VertexBuffer* source) override;
    std::unique_ptr<OrvaneEngine::IndexBuffer> CreateIndexBuffer(std::uint32_t usage,
                                                                 std::uint32_t indexCount) override;
    std::unique_ptr<OrvaneEngine::IndexBuffer> CreateIndexBufferFrom(std::uint32_t usage,
                                                                     const OrvaneEngine::IndexBuffer* source) override;
    std::unique_ptr<OrvaneEngine::IndexBuffer> CloneIndexBuffer(const OrvaneEngine::IndexBuffer* source) override;
    std::unique_ptr<OrvaneEngine::Texture2D> CreateTexture(OrvaneEngine::TextureManager* textureManager,
                                                           const std::string& key, OrvaneEngine::Image* diffuse,
                                                           OrvaneEngine::Image* opacity, bool mipMapped) override;
    OrvaneEngine::Light* CreateLight(std::uint32_t deviceLightIndex) override;
    void CaptureScreen(OrvaneEngine::Image& image) override;
    void SetMaterial(const OrvaneEngine::Color& ambient, const OrvaneEngine::Color& diffuse,
                     const OrvaneEngine::Color& specular, const OrvaneEngine::Color& emissive, float power) override;
    void UpdateProjectionMatrix() override;
    void UpdateViewMatrix() override;
    void UpdateWorldMatrix() override;
    void UpdateAmbientColor() override;
    void UpdateAlphaBlend() override;
    void UpdateBlend() override;
    void UpdateTexture(std::uint32_t stage) override;
    void UpdateMaxTextureAnisotropy(std::uint32_t stage) override;
    void UpdateTextureFilter(std::uint32_t stage) override;
    void UpdateTextureAdressU(std::uint32_t stage) override;
    void UpdateTextureAdressV(std::uint32_t stage) override;
    void UpdateTextureMatrix(std::uint32_t stage) override;
    void UpdateCullMode() override;
    void UpdateLighting() override;
    void UpdateNormalizeNormals() override;
    void UpdateZ() override;
    void UpdateZWrite() override;
    void UpdateStencil() override;

private:
    void Record(const char* name, std::uint32_t stage = NoStage);
};

} // namespace corvellan::test
