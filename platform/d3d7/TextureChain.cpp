#include "platform/d3d7/TextureChain.h"

#include "platform/d3d7/GlContext.h"
#include "platform/d3d7/GlDrawState.h"
#include "platform/d3d7/Counters.h"
#include "platform/d3d7/HookTable.h"

#include <SDL_opengl.h>

#include <algorithm>

namespace d3d7::detail
{
namespace
{

// GL's own values for a new texture object.
SamplerParameters NewTextureSampler()
{
    return SamplerParameters{GL_LINEAR, GL_NEAREST_MIPMAP_LINEAR, GL_REPEAT, GL_REPEAT, 1.0f};
}

} // namespace

TextureChain::TextureChain(const DDPIXELFORMAT& format_, const TextureUpload& upload_, std::uint32_t width,
                           std::uint32_t height, std::uint32_t levelCount)
    : format(format_), upload(upload_)
{
    levels.resize(std::max(levelCount, 1u));
    for (TextureLevel& level : levels)
    {
        level.width = width;
        level.height = height;
        level.pitch = static_cast<std::int32_t>((width * upload.bytesPerPixel + 3) & ~3u);
        level.memory.assign(static_cast<std::size_t>(level.pitch) * height, 0);
        width = std::max(width / 2, 1u);
        height = std::max(height / 2, 1u);
    }
}

TextureChain::~TextureChain()
{
    GlContext::Get().DeleteTexture(generation, name);
}

bool TextureChain::Bind(bool bound)
{
    GlContext& context = GlContext::Get();
    if (bound && name != 0 && generation == context.GetGeneration() && !changed.load(std::memory_order_acquire))
        return true;
    if (name == 0 || generation != context.GetGeneration())
    {
        if (name != 0)
            context.DeleteTexture(generation, name);
        name = 0;
        glGenTextures(1, &name);
        CountGlCalls();
        if (name == 0)
            return false;
        context.NoteTextureMade();
        generation = context.GetGeneration();
        sampler = NewTextureSampler();
        changed.store(true, std::memory_order_release);
    }
    glBindTexture(GL_TEXTURE_2D, name);
    CountGlCalls();
    if (changed.exchange(false, std::memory_order_acq_rel))
        return Upload();
    return true;
}

bool TextureChain::Upload()
{
    while (glGetError() != GL_NO_ERROR)
    {
    }
    GLint alignment = 4;
    GLint rowLength = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (std::size_t index = 0; index < levels.size(); ++index)
    {
        const TextureLevel& level = levels[index];
        glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(static_cast<std::uint32_t>(level.pitch) /
                                                                upload.bytesPerPixel));
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(index), static_cast<GLint>(upload.internalFormat),
                     static_cast<GLsizei>(level.width), static_cast<GLsizei>(level.height), 0, upload.format,
                     upload.type, level.memory.data());
    }
    // Without this a mip filter on a texture without its lower levels samples nothing.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels.size() - 1));
    glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    CountGlCalls(static_cast<std::uint32_t>(levels.size() * 2 + 8));
    ++GetCounters().textureUploads;
    return glGetError() == GL_NO_ERROR;
}

void TextureChain::SetSampler(const SamplerParameters& wanted)
{
    if (wanted.magFilter != sampler.magFilter)
    {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, wanted.magFilter);
        CountGlCalls();
    }
    if (wanted.minFilter != sampler.minFilter)
    {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, wanted.minFilter);
        CountGlCalls();
    }
    if (wanted.wrapS != sampler.wrapS)
    {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wanted.wrapS);
        CountGlCalls();
    }
    if (wanted.wrapT != sampler.wrapT)
    {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wanted.wrapT);
        CountGlCalls();
    }
    if (wanted.anisotropy != sampler.anisotropy && wanted.anisotropy > 0.0f)
    {
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, wanted.anisotropy);
        CountGlCalls();
    }
    sampler = wanted;
}

} // namespace d3d7::detail
