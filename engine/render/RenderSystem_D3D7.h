#pragma once

#include "engine/render/RenderSystem.h"
#include "platform/d3d7/DeviceTypes.h"
#include "platform/d3d7/Types.h"

#include <cstdint>
#include <list>
#include <mutex>
#include <string>

namespace d3d7
{
class IDirectDraw7;
class IDirect3D7;
class IDirect3DDevice7;
class IDirectDrawSurface7;
} // namespace d3d7

namespace OrvaneEngine
{

class Texture2D_D3D7;
struct ModeInfo;

// The render system over DirectDraw 7 and Direct3D 7: lists the adapters,
// chooses a device and a display mode, creates the screen surfaces and the
// device, keeps them usable across lost devices and mode changes, and sends
// the cached states to the device.
class RenderSystem_D3D7 : public RenderSystem
{
public:
    RenderSystem_D3D7(MessageManager* log, Config* config, Window* window, bool stencilBuffer,
                      bool allowLargeWindow);
    ~RenderSystem_D3D7() override;

    void BuildDeviceList();
    void SelectDevice(bool software);
    void SelectVideoMode();
    void CreateDevice(bool logCapabilities);
    bool InitDirect3D(bool logCapabilities);
    void Release();
    void AddTexture(Texture2D_D3D7* texture);
    void RemoveTexture(Texture2D_D3D7* texture);
    // Logs a failed DirectDraw or Direct3D result with the caller's name; never throws.
    void CheckResult(const char* context, std::int32_t result);

    // A colour as the device takes it: each channel clamped to [0, 1], then
    // scaled by 255 and truncated, packed as 0xAARRGGBB.
    static std::uint32_t ToDeviceColor(const Color& color);
    // A matrix element for element, as the device takes it.
    static d3d7::D3DMATRIX ConvertMatrix(const Matrix4& matrix);

    void Refresh() override;
    void BeginScene() override;
    void EndScene() override;
    void SwapBuffers() override;
    void CheckVideoMode() override;
    void Reset(std::uint32_t mask) override;
    void DrawIndexedPrimitive(bool strip, IndexBuffer* indexBuffer, VertexBuffer* vertexBuffer,
                              std::uint32_t primitiveCount) override;
    Camera* CreateCamera(std::uint32_t value) override;
    std::unique_ptr<VertexBuffer> CreateVertexBuffer(std::uint32_t usage, bool coloured,
                                                     std::uint32_t vertexCount) override;
    std::unique_ptr<VertexBuffer> CreateVertexBufferFrom(std::uint32_t usage, bool coloured,
                                                         const VertexBuffer* source) override;
    std::unique_ptr<VertexBuffer> CloneVertexBuffer(const VertexBuffer* source) override;
    std::unique_ptr<IndexBuffer> CreateIndexBuffer(std::uint32_t usage, std::uint32_t indexCount) override;
    std::unique_ptr<IndexBuffer> CreateIndexBufferFrom(std::uint32_t usage, const IndexBuffer* source) override;
    std::unique_ptr<IndexBuffer> CloneIndexBuffer(const IndexBuffer* source) override;
    std::unique_ptr<Texture2D> CreateTexture(TextureManager* textureManager, const std::string& key, Image* diffuse,
                                             Image* opacity, bool mipMapped) override;
    Light* CreateLight(std::uint32_t deviceLightIndex) override;
    void CaptureScreen(Image& image) override;
    void SetDefaultStates() override;
    void SetMaterial(const Color& ambient, const Color& diffuse, const Color& specular, const Color& emissive,
                     float power) override;
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

    d3d7::IDirectDraw7* directDraw = nullptr;
    d3d7::IDirect3D7* direct3D = nullptr;
    d3d7::IDirect3DDevice7* d3dDevice = nullptr;
    d3d7::IDirectDrawSurface7* zBuffer = nullptr;
    d3d7::IDirectDrawSurface7* primarySurface = nullptr;
    d3d7::IDirectDrawSurface7* backBuffer = nullptr;
    d3d7::DDSURFACEDESC2 backBufferDesc;
    std::list<Texture2D_D3D7*> textures;

private:
    // The creation steps of InitDirect3D; each throws Error with its step's text.
    void CreateScreenBuffers();
    void CreateZBuffer();
    void LogCapabilities(bool logCapabilities);
    // The chosen mode when it exists and has the wanted depth at the given size.
    ModeInfo* FindMode(std::uint32_t width, std::uint32_t height, std::uint32_t depth) const;

    // Textures come and go on the loading worker while the main thread resets.
    std::mutex texturesLock;
    // What the platform library said when the last creation attempt failed.
    std::string platformReason;
};

} // namespace OrvaneEngine
