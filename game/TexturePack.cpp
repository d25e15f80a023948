#include "game/TexturePack.h"

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/VertexBuffer.h"
#include "game/OwnerTextureShader.h"

#include <cmath>

namespace Mirabel
{
namespace
{

constexpr float CornerTolerance = 0.0001f;

// Moves a coordinate of the window's full 0..1 quad to the sub-texture's edge.
float Narrow(float value, float low, float high)
{
    if (std::fabs(value) < CornerTolerance)
        return low;
    if (std::fabs(value - 1.0f) < CornerTolerance)
        return high;
    return value;
}

template <typename VertexType>
void NarrowAll(VertexType* vertices, std::uint32_t count, const TexturePack::SubTexture& sub)
{
    for (std::uint32_t i = 0; i < count; ++i)
    {
        vertices[i].u = Narrow(vertices[i].u, sub.uvMin.x, sub.uvMax.x);
        vertices[i].v = Narrow(vertices[i].v, sub.uvMin.y, sub.uvMax.y);
    }
}

} // namespace

TexturePack::TexturePack(OrvaneEngine::Engine* engine, const std::vector<OrvaneEngine::Image*>& pageImages,
                         const std::string& name_)
    : log(engine->messageManager.get()), shaderManager(engine->shaderManager.get()),
      guiManager(engine->guiManager.get()), name(name_)
{
    for (std::uint32_t i = 0; i < pageImages.size(); ++i)
    {
        const std::string pageName = PageName(name, i);
        OrvaneEngine::ShaderUser* user = OwnerTextureShader::AddUser(*shaderManager, pageName, true);
        OwnerTextureShader::Install(*shaderManager, *user, pageName, pageImages[i]);
        pages.push_back(user);
    }
}

TexturePack::~TexturePack()
{
    subTextures.clear();
    for (OrvaneEngine::ShaderUser* page : pages)
        shaderManager->RemoveShaderUser(page);
}

std::string TexturePack::PageName(const std::string& packName, std::uint32_t pageIndex)
{
    return "pack_" + packName + "_" + std::to_string(pageIndex);
}

void TexturePack::AddTexture(const std::string& textureName, std::uint32_t pageIndex,
                             const OrvaneEngine::Vector2& uvMin, const OrvaneEngine::Vector2& uvMax)
{
    OrvaneEngine::ShaderUser* page = pageIndex < pages.size() ? pages[pageIndex] : nullptr;
    subTextures.try_emplace(textureName, SubTexture{page, uvMin, uvMax});
}

const TexturePack::SubTexture* TexturePack::FindTexture(const std::string& textureName) const
{
    const auto found = subTextures.find(textureName);
    return found == subTextures.end() ? nullptr : &found->second;
}

OrvaneEngine::GUIWindow* TexturePack::GetTexture(const std::string& textureName, std::uint32_t flags,
                                                 const OrvaneEngine::Vector2& position,
                                                 const OrvaneEngine::Vector2& size, OrvaneEngine::GUIWindow* parent)
{
    const SubTexture* sub = FindTexture(OrvaneEngine::ToLower(textureName));
    if (!sub || !sub->page)
        log->Fatal("Texture pack \"" + name + "\" is not contain \"" + textureName + "\" texture");

    OrvaneEngine::GUIWindow* window =
        guiManager->CreateTexturedWindow(flags, position, size, sub->page, parent, OrvaneEngine::Vector2(1.0f, 1.0f));
    OrvaneEngine::VertexBuffer* buffer = window->model ? window->model->GetVertexBuffer() : nullptr;
    if (!buffer)
        return window;
    // The buffer's own layout decides how it is locked: a coloured window has
    // a coloured model.
    const std::uint32_t count = buffer->GetVertexCount();
    if (buffer->IsColored())
        NarrowAll(buffer->LockColoredVertices(0, count), count, *sub);
    else
        NarrowAll(buffer->LockVertices(0, count), count, *sub);
    buffer->Unlock();
    return window;
}

} // namespace Mirabel
