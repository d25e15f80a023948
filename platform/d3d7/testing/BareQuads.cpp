#include "platform/d3d7/testing/BareQuads.h"

#include "platform/d3d7/GlContext.h"
#include "platform/d3d7/GlDrawState.h"
#include "platform/d3d7/IDirectDrawSurface7.h"

#include <SDL_opengl.h>

namespace d3d7::testing
{

BareQuads::BareQuads(IDirectDrawSurface7* target_, const void* vertices_, std::uint32_t vertexCount_,
                     const std::uint16_t* indices_, std::uint32_t indexCount_, const std::uint8_t* pixels,
                     std::uint32_t width, std::uint32_t height)
    : target(target_), vertices(static_cast<const std::uint8_t*>(vertices_)), vertexCount(vertexCount_),
      indices(indices_), indexCount(indexCount_)
{
    detail::GlContext& context = detail::GlContext::Get();
    if (!context.MayCall() || !target || target->EnsureGl() != 0)
        return;
    textures.push_back(MakeTexture(pixels, width, height));
}

BareQuads::~BareQuads()
{
    if (!textures.empty() && detail::GlContext::Get().MayCall())
        glDeleteTextures(static_cast<GLsizei>(textures.size()), textures.data());
    detail::NoteForeignGlState();
}

unsigned BareQuads::MakeTexture(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height)
{
    unsigned texture = 0;
    detail::GlContext::Get().Gl().activeTexture(GL_TEXTURE0);
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(width), static_cast<GLsizei>(height), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    detail::NoteForeignGlState();
    return texture;
}

std::int32_t BareQuads::AddTexture(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height)
{
    if (textures.empty() || !detail::GlContext::Get().MayCall())
        return -1;
    textures.push_back(MakeTexture(pixels, width, height));
    return static_cast<std::int32_t>(textures.size() - 1);
}

void BareQuads::DrawFrame(const std::vector<std::array<float, 16>>& matrices)
{
    DrawFrame(matrices, {});
}

void BareQuads::SetPointers(const std::uint8_t* from)
{
    glVertexPointer(3, GL_FLOAT, 36, from);
    glNormalPointer(GL_FLOAT, 36, from + 12);
    glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, 36, from + 24);
    glTexCoordPointer(2, GL_FLOAT, 36, from + 28);
}

void BareQuads::DrawFrame(const std::vector<std::array<float, 16>>& matrices,
                          const std::vector<const void*>& vertexArrays)
{
    DrawFrame(matrices, vertexArrays, {});
}

void BareQuads::DrawFrame(const std::vector<std::array<float, 16>>& matrices,
                          const std::vector<const void*>& vertexArrays,
                          const std::vector<std::uint32_t>& textureIndices)
{
    detail::GlContext& context = detail::GlContext::Get();
    if (textures.empty() || !context.MayCall())
        return;
    const detail::GlFunctions& gl = context.Gl();
    gl.bindFramebuffer(GL_FRAMEBUFFER, target->GetFramebuffer());
    glViewport(0, 0, static_cast<GLsizei>(target->GetDesc().width), static_cast<GLsizei>(target->GetDesc().height));
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    gl.activeTexture(GL_TEXTURE0);
    gl.clientActiveTexture(GL_TEXTURE0);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    SetPointers(vertices);
    glMatrixMode(GL_MODELVIEW);
    detail::CountGlCalls(30);
    const bool ownArrays = vertexArrays.size() == matrices.size();
    const bool ownTextures = textureIndices.size() == matrices.size();
    std::uint32_t bound = 0;
    for (std::size_t quad = 0; quad < matrices.size(); ++quad)
    {
        if (ownArrays)
        {
            SetPointers(static_cast<const std::uint8_t*>(vertexArrays[quad]));
            detail::CountGlCalls(4);
        }
        if (ownTextures && textureIndices[quad] != bound && textureIndices[quad] < textures.size())
        {
            bound = textureIndices[quad];
            glBindTexture(GL_TEXTURE_2D, textures[bound]);
            detail::CountGlCalls(1);
        }
        glLoadMatrixf(matrices[quad].data());
        gl.drawRangeElements(GL_TRIANGLES, 0, vertexCount - 1, static_cast<GLsizei>(indexCount), GL_UNSIGNED_SHORT,
                             indices);
        detail::CountGlCalls(2);
    }
    glFinish();
    detail::CountGlCalls();
    // The device's copy of GL's state no longer holds.
    detail::NoteForeignGlState();
}

void FinishGl()
{
    if (detail::GlContext::Get().MayCall())
        glFinish();
}

} // namespace d3d7::testing
