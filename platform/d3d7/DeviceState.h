#pragma once

// The drawing device's fixed-function state: transforms, render and
// texture-stage states, textures, the material and the lights, kept as the
// engine set them, and sent to GL just before a draw (only what changed).
// Setting a state only touches memory. Platform-internal.

#include "platform/d3d7/DeviceTypes.h"
#include "platform/d3d7/MachineDescription.h"
#include "platform/d3d7/Types.h"

#include <array>
#include <cstdint>
#include <map>

namespace d3d7
{
class IDirectDrawSurface7;
}

namespace d3d7::detail
{

class TextureChain;

inline constexpr std::uint32_t kMaxStages = 8;
inline constexpr std::uint32_t kMaxEnabledLights = 8;

class DeviceState
{
public:
    // Starts with the device defaults; depthAttached says whether the
    // target had a depth surface when the device was made.
    DeviceState(const DeviceDescription& description, bool depthAttached);
    ~DeviceState();
    DeviceState(const DeviceState&) = delete;
    DeviceState& operator=(const DeviceState&) = delete;

    HRESULT SetTransform(std::uint32_t state, const D3DMATRIX* matrix);
    HRESULT GetTransform(std::uint32_t state, D3DMATRIX* matrix) const;
    HRESULT SetRenderState(std::uint32_t state, std::uint32_t value);
    HRESULT GetRenderState(std::uint32_t state, std::uint32_t* value) const;
    HRESULT SetTextureStageState(std::uint32_t stage, std::uint32_t state, std::uint32_t value);
    HRESULT GetTextureStageState(std::uint32_t stage, std::uint32_t state, std::uint32_t* value) const;
    // The device holds a reference to the texture while it is set.
    HRESULT SetTexture(std::uint32_t stage, IDirectDrawSurface7* texture);
    HRESULT GetTexture(std::uint32_t stage, IDirectDrawSurface7** texture) const;
    HRESULT SetMaterial(const D3DMATERIAL7* material);
    HRESULT GetMaterial(D3DMATERIAL7* material) const;
    HRESULT SetLight(std::uint32_t index, const D3DLIGHT7* light);
    HRESULT GetLight(std::uint32_t index, D3DLIGHT7* light) const;
    HRESULT LightEnable(std::uint32_t index, bool enable);
    HRESULT GetLightEnable(std::uint32_t index, bool* enable) const;

    // Sends what changed, then draws from the client arrays. GL thread only,
    // with the target's framebuffer bound.
    HRESULT Draw(std::uint32_t primitiveType, std::uint32_t fvf, const void* vertices, std::uint32_t vertexCount,
                 const void* indices, std::uint32_t indexCount, std::uint32_t indexSize);

private:
    struct Stage
    {
        std::uint32_t colorOp;
        std::uint32_t colorArg1 = D3DTA_TEXTURE;
        std::uint32_t colorArg2 = D3DTA_CURRENT;
        std::uint32_t alphaOp;
        std::uint32_t alphaArg1 = D3DTA_TEXTURE;
        std::uint32_t alphaArg2 = D3DTA_CURRENT;
        std::uint32_t texCoordIndex = 0;
        std::uint32_t addressU = D3DTADDRESS_WRAP;
        std::uint32_t addressV = D3DTADDRESS_WRAP;
        std::uint32_t magFilter = D3DTFG_POINT;
        std::uint32_t minFilter = D3DTFN_POINT;
        std::uint32_t mipFilter = D3DTFP_NONE;
        std::uint32_t maxAnisotropy = 1;
        std::uint32_t transformFlags = D3DTTFF_DISABLE;
        D3DMATRIX transform;
        IDirectDrawSurface7* texture = nullptr;
    };

    struct RenderStates
    {
        std::uint32_t zEnable = D3DZB_FALSE;
        std::uint32_t zWrite = 1;
        std::uint32_t sourceBlend = D3DBLEND_ONE;
        std::uint32_t destinationBlend = D3DBLEND_ZERO;
        std::uint32_t cullMode = D3DCULL_CCW;
        std::uint32_t zFunc = D3DCMP_LESSEQUAL;
        std::uint32_t alphaBlend = 0;
        std::uint32_t stencilEnable = 0;
        std::uint32_t stencilFail = D3DSTENCILOP_KEEP;
        std::uint32_t stencilZFail = D3DSTENCILOP_KEEP;
        std::uint32_t stencilPass = D3DSTENCILOP_KEEP;
        std::uint32_t stencilFunc = D3DCMP_ALWAYS;
        std::uint32_t stencilRef = 0;
        std::uint32_t stencilMask = 0xFFFFFFFFu;
        std::uint32_t lighting = 1;
        std::uint32_t ambient = 0;
        std::uint32_t colorVertex = 1;
        std::uint32_t normalizeNormals = 0;
        std::uint32_t diffuseSource = D3DMCS_COLOR1;
        std::uint32_t ambientSource = D3DMCS_MATERIAL;
    };

    struct LightRecord
    {
        D3DLIGHT7 light;
        bool enabled = false;
    };

    // What GL holds now, as far as the device knows; nothing is known while
    // valid is false.
    struct Unit
    {
        bool enabled = false;
        const TextureChain* chain = nullptr;
        std::array<int, 6> combine{};
        bool matrixValid = false;
        bool coordArray = false;
        const void* coordPointer = nullptr;
        std::int32_t coordStride = 0;
    };

    // -1 and kUnknown mark what GL holds that is not known.
    static constexpr std::uint64_t kUnknown = ~std::uint64_t{0};

    struct Applied
    {
        bool valid = false;
        std::uint64_t generation = 0;
        std::uint64_t epoch = 0;
        int matrixMode = -1;
        int activeUnit = -1;
        int clientUnit = -1;
        bool modelviewValid = false;
        bool projectionValid = false;
        bool lightsValid = false;
        bool materialValid = false;
        bool colorWhite = false;
        int blend = -1;
        std::uint64_t sourceBlend = kUnknown;
        std::uint64_t destinationBlend = kUnknown;
        int depthTest = -1;
        int depthMask = -1;
        std::uint64_t depthFunc = kUnknown;
        int stencilTest = -1;
        std::uint64_t stencilFunc = kUnknown;
        std::uint64_t stencilRef = kUnknown;
        std::uint64_t stencilMask = kUnknown;
        std::array<std::uint64_t, 3> stencilOps{kUnknown, kUnknown, kUnknown};
        int cull = -1;
        int lighting = -1;
        int normalize = -1;
        std::uint64_t ambient = kUnknown;
        int colorMaterial = -1;
        std::uint64_t colorMaterialMode = kUnknown;
        bool colorArray = false;
        const void* vertexPointer = nullptr;
        std::int32_t vertexStride = 0;
        const void* colorPointer = nullptr;
        std::array<bool, kMaxEnabledLights> lightSlots{};
        std::array<Unit, kMaxStages> units;
    };

    // The storage of a settable render state, or null.
    std::uint32_t* FindRenderState(std::uint32_t state);
    // Forgets what GL holds when another context, another device or someone
    // else's GL calls may have changed it.
    void SyncWithGl();
    void ApplyFixedStates();
    void ApplyTransformsAndLights();
    void SendLights();
    void ApplyRenderStates();
    void ApplyColorSource(bool colored);
    bool ApplyStages(const std::uint8_t* base, std::int32_t stride, std::uint32_t uvOffset);
    void ApplyArrays(const std::uint8_t* base, std::int32_t stride, bool colored);
    void SelectUnit(std::uint32_t unit);
    void SelectClientUnit(std::uint32_t unit);
    void SetMatrixMode(int mode);

    std::uint32_t stageCount;
    D3DMATRIX world;
    D3DMATRIX view;
    D3DMATRIX projection;
    RenderStates states;
    std::array<Stage, kMaxStages> stages;
    D3DMATERIAL7 material;
    std::map<std::uint32_t, LightRecord> lights;
    Applied applied;
};

} // namespace d3d7::detail
