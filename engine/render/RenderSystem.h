#pragma once

#include "engine/core/Color.h"
#include "engine/core/Matrix4.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class MessageManager;
class Config;
class Window;
class Camera;
class Light;
class Image;
class Texture2D;
struct ModeInfo;
class TextureManager;
class VertexBuffer;
class IndexBuffer;
struct AdapterInfo;

// The engine's own numbering of sampler and blend states, as shaders, models
// and data files store them.
enum TextureFilter : std::uint32_t
{
    TextureFilterPoint = 0,
    TextureFilterBilinear = 1,
    TextureFilterTrilinear = 2,
};

enum TextureAddress : std::uint32_t
{
    TextureAddressClamp = 0,
    TextureAddressWrap = 1,
};

enum CullMode : std::uint32_t
{
    CullModeNone = 0,
    CullModeClockwise = 1,
    CullModeCounterClockwise = 2,
};

enum BlendFactor : std::uint32_t
{
    BlendZero = 0,
    BlendOne = 1,
    BlendDestColor = 2,
    BlendInvDestColor = 3,
    BlendSrcAlpha = 4,
    BlendInvSrcAlpha = 5,
    BlendDestAlpha = 6,
    BlendInvDestAlpha = 7,
    BlendSrcAlphaSat = 8,
    BlendSrcColor = 9,
    BlendInvSrcColor = 10,
};

// The device-independent face of the renderer: the adapter list with the
// chosen adapter, device and mode, the cache of every render state the engine
// sets, and the flags of the lost-device protocol. A cached setter reaches the
// device only when its value changes or while forceStates is set.
class RenderSystem
{
public:
    RenderSystem(MessageManager* log, Config* config, Window* window, bool stencilBuffer, bool allowLargeWindow);
    virtual ~RenderSystem();
    RenderSystem(const RenderSystem&) = delete;
    RenderSystem& operator=(const RenderSystem&) = delete;

    virtual void Refresh();
    virtual void BeginScene();
    virtual void EndScene();
    virtual void SwapBuffers();
    virtual void CheckVideoMode();
    virtual void Reset(std::uint32_t mask);
    virtual void DrawIndexedPrimitive(bool strip, IndexBuffer* indexBuffer, VertexBuffer* vertexBuffer,
                                      std::uint32_t primitiveCount);
    // The caller owns what the factories return.
    virtual Camera* CreateCamera(std::uint32_t value) = 0;
    virtual std::unique_ptr<VertexBuffer> CreateVertexBuffer(std::uint32_t usage, bool coloured,
                                                             std::uint32_t vertexCount) = 0;
    virtual std::unique_ptr<VertexBuffer> CreateVertexBufferFrom(std::uint32_t usage, bool coloured,
                                                                 const VertexBuffer* source) = 0;
    virtual std::unique_ptr<VertexBuffer> CloneVertexBuffer(const VertexBuffer* source) = 0;
    virtual std::unique_ptr<IndexBuffer> CreateIndexBuffer(std::uint32_t usage, std::uint32_t indexCount) = 0;
    virtual std::unique_ptr<IndexBuffer> CreateIndexBufferFrom(std::uint32_t usage, const IndexBuffer* source) = 0;
    virtual std::unique_ptr<IndexBuffer> CloneIndexBuffer(const IndexBuffer* source) = 0;
    virtual std::unique_ptr<Texture2D> CreateTexture(TextureManager* textureManager, const std::string& key,
                                                     Image* diffuse, Image* opacity, bool mipMapped) = 0;
    virtual Light* CreateLight(std::uint32_t deviceLightIndex) = 0;
    virtual void CaptureScreen(Image& image) = 0;
    virtual void InitTextureStages();
    virtual void SetDefaultStates();
    virtual void SetMaterial(const Color& ambient, const Color& diffuse, const Color& specular,
                             const Color& emissive, float power) = 0;
    virtual void UpdateProjectionMatrix() = 0;
    virtual void UpdateViewMatrix() = 0;
    virtual void UpdateWorldMatrix() = 0;
    virtual void UpdateAmbientColor() = 0;
    virtual void UpdateAlphaBlend() = 0;
    virtual void UpdateBlend() = 0;
    virtual void UpdateTexture(std::uint32_t stage) = 0;
    virtual void UpdateMaxTextureAnisotropy(std::uint32_t stage) = 0;
    virtual void UpdateTextureFilter(std::uint32_t stage) = 0;
    virtual void UpdateTextureAdressU(std::uint32_t stage) = 0;
    virtual void UpdateTextureAdressV(std::uint32_t stage) = 0;
    virtual void UpdateTextureMatrix(std::uint32_t stage) = 0;
    virtual void UpdateCullMode() = 0;
    virtual void UpdateLighting() = 0;
    virtual void UpdateNormalizeNormals() = 0;
    virtual void UpdateZ() = 0;
    virtual void UpdateZWrite() = 0;
    virtual void UpdateStencil() = 0;

    // Cached setters. A stage beyond the stage cache is ignored.
    void SetViewMatrix(const Matrix4& matrix);
    void SetWorldMatrix(const Matrix4& matrix);
    void SetAmbientColor(const Color& color);
    void SetAlphaBlend(bool enable);
    void SetBlend(std::uint32_t source, std::uint32_t destination);
    void SetTexture(std::uint32_t stage, Texture2D* texture);
    void SetMaxTextureAnisotropy(std::uint32_t stage, std::uint32_t anisotropy);
    void SetTextureFilter(std::uint32_t stage, std::uint32_t filter);
    void SetTextureAdressU(std::uint32_t stage, std::uint32_t address);
    void SetTextureAdressV(std::uint32_t stage, std::uint32_t address);
    void SetTextureTransform(std::uint32_t stage, float scaleU, float scaleV, float offsetU, float offsetV);
    void SetCullMode(std::uint32_t mode);
    void SetLighting(bool enable);
    void SetNormalizeNormals(bool enable);
    void SetZ(bool enable);
    void SetZWrite(bool enable);
    void SetStencil(bool enable);

    MessageManager* log;
    Config* config;
    Window* window;
    // The configuration's own settings block: "v_mode", "v_fullscreen",
    // "v_vsync" and "r_texture_anisotropy" are read and written there.
    Config* videoSettings;
    std::vector<AdapterInfo*> adapters;
    AdapterInfo* adapter = nullptr;
    bool stencilBuffer;
    bool stencilAvailable = false;
    bool allowLargeWindow;
    std::uint32_t clearFlags = 3;
    Color clearColor{0.0f, 0.0f, 0.0f, 1.0f};
    std::uint32_t maxTextureWidth = 0;
    std::uint32_t maxTextureHeight = 0;
    std::uint32_t textureStageCount = 0;
    std::uint32_t maxAnisotropy = 0;
    bool ready = false;
    bool resetNeeded = false;
    bool reloadTextures = false;
    bool forceStates = false;
    Matrix4 projectionMatrix{};
    Matrix4 viewMatrix{};
    Matrix4 worldMatrix{};
    Color ambientColor{0.0f, 0.0f, 0.0f, 0.0f};
    bool alphaBlend = false;
    std::uint32_t sourceBlend = 0;
    std::uint32_t destinationBlend = 0;
    std::vector<Texture2D*> stageTexture;
    std::vector<std::uint32_t> stageMaxAnisotropy;
    std::vector<std::uint32_t> stageFilter;
    std::vector<std::uint32_t> stageAddressU;
    std::vector<std::uint32_t> stageAddressV;
    std::vector<std::array<float, 4>> stageTransform;
    std::uint32_t cullMode = 0;
    bool lighting = false;
    bool normalizeNormals = false;
    bool zEnable = false;
    bool zWrite = false;
    bool stencilEnable = false;
    bool lightsLost = false;

protected:
    // Gives the six stage vectors count entries; new ones start at zero.
    void ResizeTextureStages(std::uint32_t count);
};

} // namespace OrvaneEngine
