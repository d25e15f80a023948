#pragma once

#include "tests/support/RecordingRenderSystem.h"

#include <cstdint>
#include <vector>

namespace corvellan::test
{

// Records draws, scene brackets and swaps next to the state updates, and
// makes counting cameras.
class FrameRecordingRenderSystem : public RecordingRenderSystem
{
public:
    struct Draw
    {
        const OrvaneEngine::IndexBuffer* indexBuffer;
        std::uint32_t primitives;
        bool strip;
        std::uint32_t cullMode;
        bool zEnable;
        bool zWrite;
        bool stencil;
        bool lighting;
        bool normalizeNormals;
    };

    using RecordingRenderSystem::RecordingRenderSystem;

    OrvaneEngine::Camera* CreateCamera(std::uint32_t type) override;
    void BeginScene() override;
    void EndScene() override;
    void SwapBuffers() override;
    void DrawIndexedPrimitive(bool strip, OrvaneEngine::IndexBuffer* indexBuffer, OrvaneEngine::VertexBuffer*,
                              std::uint32_t primitiveCount) override;

    std::vector<Draw> draws;
};

} // namespace corvellan::test
