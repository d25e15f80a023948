#pragma once

// The values the engine hands the drawing device for its states, lights,
// material and draws. Records carry only the fields the engine fills.

#include <cstdint>

namespace d3d7
{

// Sixteen floats, row by row, for row vectors (p' = p * M): the translation
// is in elements 12 to 14.
struct D3DMATRIX
{
    float m[16] = {};
};

struct D3DCOLORVALUE
{
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
};

struct D3DVECTOR
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct D3DMATERIAL7
{
    D3DCOLORVALUE diffuse;
    D3DCOLORVALUE ambient;
    D3DCOLORVALUE specular;
    D3DCOLORVALUE emissive;
    float power = 0.0f;
};

enum D3DLIGHTTYPE : std::uint32_t
{
    D3DLIGHT_POINT = 1,
    D3DLIGHT_SPOT = 2,
    D3DLIGHT_DIRECTIONAL = 3,
};

struct D3DLIGHT7
{
    std::uint32_t type = 0;
    D3DCOLORVALUE diffuse;
    D3DCOLORVALUE specular;
    D3DCOLORVALUE ambient;
    D3DVECTOR position;
    D3DVECTOR direction;
    float range = 0.0f;
    float falloff = 0.0f;
    float attenuation0 = 0.0f;
    float attenuation1 = 0.0f;
    float attenuation2 = 0.0f;
    // Spot cones, full angles in radians.
    float theta = 0.0f;
    float phi = 0.0f;
};

enum D3DTRANSFORMSTATETYPE : std::uint32_t
{
    D3DTRANSFORMSTATE_WORLD = 1,
    D3DTRANSFORMSTATE_VIEW = 2,
    D3DTRANSFORMSTATE_PROJECTION = 3,
    D3DTRANSFORMSTATE_TEXTURE0 = 16,
    D3DTRANSFORMSTATE_TEXTURE7 = 23,
};

enum D3DRENDERSTATETYPE : std::uint32_t
{
    D3DRENDERSTATE_ZENABLE = 7,
    D3DRENDERSTATE_ZWRITEENABLE = 14,
    D3DRENDERSTATE_SRCBLEND = 19,
    D3DRENDERSTATE_DESTBLEND = 20,
    D3DRENDERSTATE_CULLMODE = 22,
    D3DRENDERSTATE_ZFUNC = 23,
    D3DRENDERSTATE_ALPHABLENDENABLE = 27,
    D3DRENDERSTATE_STENCILENABLE = 52,
    D3DRENDERSTATE_STENCILFAIL = 53,
    D3DRENDERSTATE_STENCILZFAIL = 54,
    D3DRENDERSTATE_STENCILPASS = 55,
    D3DRENDERSTATE_STENCILFUNC = 56,
    D3DRENDERSTATE_STENCILREF = 57,
    D3DRENDERSTATE_STENCILMASK = 58,
    D3DRENDERSTATE_LIGHTING = 137,
    D3DRENDERSTATE_AMBIENT = 139,
    D3DRENDERSTATE_COLORVERTEX = 141,
    D3DRENDERSTATE_NORMALIZENORMALS = 143,
    D3DRENDERSTATE_DIFFUSEMATERIALSOURCE = 145,
    D3DRENDERSTATE_AMBIENTMATERIALSOURCE = 147,
};

enum D3DTEXTURESTAGESTATETYPE : std::uint32_t
{
    D3DTSS_COLOROP = 1,
    D3DTSS_COLORARG1 = 2,
    D3DTSS_COLORARG2 = 3,
    D3DTSS_ALPHAOP = 4,
    D3DTSS_ALPHAARG1 = 5,
    D3DTSS_ALPHAARG2 = 6,
    D3DTSS_TEXCOORDINDEX = 11,
    D3DTSS_ADDRESSU = 13,
    D3DTSS_ADDRESSV = 14,
    D3DTSS_MAGFILTER = 16,
    D3DTSS_MINFILTER = 17,
    D3DTSS_MIPFILTER = 18,
    D3DTSS_MAXANISOTROPY = 21,
    D3DTSS_TEXTURETRANSFORMFLAGS = 24,
};

enum D3DBLEND : std::uint32_t
{
    D3DBLEND_ZERO = 1,
    D3DBLEND_ONE = 2,
    D3DBLEND_SRCCOLOR = 3,
    D3DBLEND_INVSRCCOLOR = 4,
    D3DBLEND_SRCALPHA = 5,
    D3DBLEND_INVSRCALPHA = 6,
    D3DBLEND_DESTALPHA = 7,
    D3DBLEND_INVDESTALPHA = 8,
    D3DBLEND_DESTCOLOR = 9,
    D3DBLEND_INVDESTCOLOR = 10,
    D3DBLEND_SRCALPHASAT = 11,
};

enum D3DCULL : std::uint32_t
{
    D3DCULL_NONE = 1,
    D3DCULL_CW = 2,
    D3DCULL_CCW = 3,
};

enum D3DCMPFUNC : std::uint32_t
{
    D3DCMP_NEVER = 1,
    D3DCMP_LESS = 2,
    D3DCMP_EQUAL = 3,
    D3DCMP_LESSEQUAL = 4,
    D3DCMP_GREATER = 5,
    D3DCMP_NOTEQUAL = 6,
    D3DCMP_GREATEREQUAL = 7,
    D3DCMP_ALWAYS = 8,
};

enum D3DSTENCILOP : std::uint32_t
{
    D3DSTENCILOP_KEEP = 1,
    D3DSTENCILOP_ZERO = 2,
    D3DSTENCILOP_REPLACE = 3,
    D3DSTENCILOP_INCRSAT = 4,
    D3DSTENCILOP_DECRSAT = 5,
    D3DSTENCILOP_INVERT = 6,
    D3DSTENCILOP_INCR = 7,
    D3DSTENCILOP_DECR = 8,
};

enum D3DMATERIALCOLORSOURCE : std::uint32_t
{
    D3DMCS_MATERIAL = 0,
    D3DMCS_COLOR1 = 1,
    D3DMCS_COLOR2 = 2,
};

enum D3DZBUFFERTYPE : std::uint32_t
{
    D3DZB_FALSE = 0,
    D3DZB_TRUE = 1,
};

enum D3DTEXTUREOP : std::uint32_t
{
    D3DTOP_DISABLE = 1,
    D3DTOP_SELECTARG1 = 2,
    D3DTOP_SELECTARG2 = 3,
    D3DTOP_MODULATE = 4,
};

// Texture arguments.
inline constexpr std::uint32_t D3DTA_DIFFUSE = 0;
inline constexpr std::uint32_t D3DTA_CURRENT = 1;
inline constexpr std::uint32_t D3DTA_TEXTURE = 2;

enum D3DTEXTUREADDRESS : std::uint32_t
{
    D3DTADDRESS_WRAP = 1,
    D3DTADDRESS_CLAMP = 3,
};

enum D3DTEXTUREMAGFILTER : std::uint32_t
{
    D3DTFG_POINT = 1,
    D3DTFG_LINEAR = 2,
    D3DTFG_ANISOTROPIC = 5,
};

enum D3DTEXTUREMINFILTER : std::uint32_t
{
    D3DTFN_POINT = 1,
    D3DTFN_LINEAR = 2,
    D3DTFN_ANISOTROPIC = 3,
};

enum D3DTEXTUREMIPFILTER : std::uint32_t
{
    D3DTFP_NONE = 1,
    D3DTFP_POINT = 2,
    D3DTFP_LINEAR = 3,
};

enum D3DTEXTURETRANSFORMFLAGS : std::uint32_t
{
    D3DTTFF_DISABLE = 0,
    D3DTTFF_COUNT2 = 2,
};

enum D3DPRIMITIVETYPE : std::uint32_t
{
    D3DPT_TRIANGLELIST = 4,
    D3DPT_TRIANGLESTRIP = 5,
};

// Flexible vertex format bits.
inline constexpr std::uint32_t D3DFVF_XYZ = 0x002;
inline constexpr std::uint32_t D3DFVF_NORMAL = 0x010;
inline constexpr std::uint32_t D3DFVF_DIFFUSE = 0x040;
inline constexpr std::uint32_t D3DFVF_TEX1 = 0x100;

// Pixel formats a texture format list may hold besides RGB.
inline constexpr std::uint32_t DDPF_FOURCC = 0x00000004u;
inline constexpr std::uint32_t DDPF_LUMINANCE = 0x00020000u;
inline constexpr std::uint32_t DDPF_BUMPDUDV = 0x00080000u;


} // namespace d3d7
