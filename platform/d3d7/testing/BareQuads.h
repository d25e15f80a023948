#pragma once

// Benchmarks only: the floor the drawing device is measured against. The
// same textured, blended, coloured quads drawn straight through GL into a
// device's render target, with every state set once and, per quad, one
// matrix load and one draw from the same client arrays.

#include <array>
#include <cstdint>
#include <vector>

namespace d3d7
{
class IDirectDrawSurface7;
}

namespace d3d7::testing
{

class BareQuads
{
public:
    // vertices: coloured 36-byte vertices; indices: 16-bit; texture: width x
    // height RGBA bytes. Main thread, with the GL context of the target.
    BareQuads(IDirectDrawSurface7* target, const void* vertices, std::uint32_t vertexCount,
              const std::uint16_t* indices, std::uint32_t indexCount, const std::uint8_t* texture,
              std::uint32_t width, std::uint32_t height);
    ~BareQuads();
    BareQuads(const BareQuads&) = delete;
    BareQuads& operator=(const BareQuads&) = delete;

    bool IsReady() const { return !textures.empty(); }
    // Another texture, for frames that change textures between quads; its
    // index (the constructor's texture is 0), or -1 when GL may not be called.
    std::int32_t AddTexture(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height);
    // One frame: the states, then every quad with its own matrix (column
    // vectors, as GL loads them), then glFinish.
    void DrawFrame(const std::vector<std::array<float, 16>>& matrices);
    // The same, each quad drawn from its own vertex array (as many as there
    // are matrices, in the layout given to the constructor): the floor of
    // passes that rewrite every model's vertices.
    void DrawFrame(const std::vector<std::array<float, 16>>& matrices, const std::vector<const void*>& vertexArrays);
    // The same with a texture index per quad (as many as there are matrices):
    // a texture is bound only when it differs from the previous quad's.
    void DrawFrame(const std::vector<std::array<float, 16>>& matrices, const std::vector<const void*>& vertexArrays,
                   const std::vector<std::uint32_t>& textureIndices);

private:
    void SetPointers(const std::uint8_t* from);
    unsigned MakeTexture(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height);

    IDirectDrawSurface7* target;
    const std::uint8_t* vertices;
    std::uint32_t vertexCount;
    const std::uint16_t* indices;
    std::uint32_t indexCount;
    std::vector<unsigned> textures;
};

// Waits until GL has drawn everything asked of it, so a frame's time is all in.
void FinishGl();

} // namespace d3d7::testing
