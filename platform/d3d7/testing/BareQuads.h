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

    bool IsReady() const { return texture != 0; }
    // One frame: the states, then every quad with its own matrix (column
    // vectors, as GL loads them), then glFinish.
    void DrawFrame(const std::vector<std::array<float, 16>>& matrices);
    // The same, each quad drawn from its own vertex array (as many as there
    // are matrices, in the layout given to the constructor): the floor of
    // passes that rewrite every model's vertices.
    void DrawFrame(const std::vector<std::array<float, 16>>& matrices, const std::vector<const void*>& vertexArrays);

private:
    void SetPointers(const std::uint8_t* from);

    IDirectDrawSurface7* target;
    const std::uint8_t* vertices;
    std::uint32_t vertexCount;
    const std::uint16_t* indices;
    std::uint32_t indexCount;
    unsigned texture = 0;
};

// Waits until GL has drawn everything asked of it, so a frame's time is all in.
void FinishGl();

} // namespace d3d7::testing
