#include "game/OwnerTextureShader.h"

#include "engine/render/Shader.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/TextureManager.h"

namespace Mirabel
{
namespace
{

constexpr std::uint32_t SourceAlpha = 4;
constexpr std::uint32_t InverseSourceAlpha = 5;

} // namespace

OrvaneEngine::ShaderUser* OwnerTextureShader::AddUser(OrvaneEngine::ShaderManager& shaders, const std::string& name,
                                                      bool blended)
{
    using OrvaneEngine::ShaderStage;
    OrvaneEngine::ShaderDescriptor descriptor(blended ? OrvaneEngine::ShaderDescriptor::Blended : 0);
    if (blended)
    {
        descriptor.SetBlendFactor(0, SourceAlpha);
        descriptor.SetBlendFactor(1, InverseSourceAlpha);
    }
    descriptor.AddStage(ShaderStage::MipMapped | ShaderStage::OwnerTexture, ShaderStage::NoAnimation, 1, 1, 1, 0.0f,
                        name, "", 0);
    return shaders.AddShaderUser(descriptor);
}

void OwnerTextureShader::Install(OrvaneEngine::ShaderManager& shaders, OrvaneEngine::ShaderUser& user,
                                 const std::string& name, OrvaneEngine::Image* image)
{
    OrvaneEngine::TextureManager* textures = shaders.GetTextureManager();
    OrvaneEngine::Texture2D* texture = textures->CreateTexture(true, true, name, "", image, nullptr);
    if (texture && !user.GetShader()->SetStageTexture(0, 0, texture))
        textures->ReleaseTexture(texture);
}

} // namespace Mirabel
