#include "tests/support/FrameRecordingRenderSystem.h"

#include "tests/support/CountingCamera.h"

namespace corvellan::test
{

OrvaneEngine::Camera* FrameRecordingRenderSystem::CreateCamera(std::uint32_t type)
{
    return new CountingCamera(type);
}

void FrameRecordingRenderSystem::BeginScene()
{
    calls.push_back({"BeginScene", NoStage});
}

void FrameRecordingRenderSystem::EndScene()
{
    calls.push_back({"EndScene", NoStage});
}

void FrameRecordingRenderSystem::SwapBuffers()
{
    calls.push_back({"SwapBuffers", NoStage});
}

void FrameRecordingRenderSystem::DrawIndexedPrimitive(bool strip, OrvaneEngine::IndexBuffer* indexBuffer,
                                                      OrvaneEngine::VertexBuffer*, std::uint32_t primitiveCount)
{
    calls.push_back({"DrawIndexedPrimitive", NoStage});
    draws.push_back(
        {indexBuffer, primitiveCount, strip, cullMode, zEnable, zWrite, stencilEnable, lighting, normalizeNormals});
}

} // namespace corvellan::test
