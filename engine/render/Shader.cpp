#include "engine/render/Shader.h"

#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderStageFunctions.h"
#include "engine/render/TextureManager.h"

#include <algorithm>

namespace OrvaneEngine
{

Shader::Shader(MessageManager* log_, FileManager* files_, Config* config_, RenderSystem* renderSystem_,
               TextureManager* textureManager_, const ShaderDescriptor& descriptor)
    : log(log_), files(files_), config(config_), renderSystem(renderSystem_), textureManager(textureManager_)
{
    for (std::uint32_t index = 0; index < descriptor.stageCount && index < ShaderDescriptor::MaxStages; ++index)
        LoadStageTextures(descriptor.stages[index]);
}

Shader::~Shader()
{
    for (std::uint32_t index = 0; index < stageCount; ++index)
        ReleaseStageTextures(index);
}

void Shader::LoadStageTextures(const ShaderStage& stage)
{
    if (stageCount >= ShaderDescriptor::MaxStages)
        return;
    std::vector<Texture2D*>& slots = stageTextures[stageCount++];
    std::uint32_t slotCount = GetStageSlotCount(stage);
    // Shader files are checked when read; a descriptor built in code (a
    // resource list entry) could still ask for billions of frame textures.
    if (slotCount > ShaderDescriptor::MaxFrameCount)
    {
        log->Error("Shader: \"" + stage.diffuseName + "\" asks for " + UIntToString(slotCount, 0) +
                   " texture frames, at most " + UIntToString(ShaderDescriptor::MaxFrameCount, 0) +
                   " are loaded; none is");
        slots.assign(1, nullptr);
        return;
    }
    slots.assign(slotCount, nullptr);
    if (stage.flags & ShaderStage::OwnerTexture)
        return;

    const bool diffuseFrames = stage.animationType == ShaderStage::DiffuseAnimation ||
                               stage.animationType == ShaderStage::DiffuseAndOpacityAnimation;
    const bool opacityFrames = stage.animationType == ShaderStage::OpacityAnimation ||
                               stage.animationType == ShaderStage::DiffuseAndOpacityAnimation;
    for (std::uint32_t frame = 0; frame < slotCount; ++frame)
    {
        std::string diffuse = stage.diffuseName;
        std::string opacity = stage.opacityName;
        if (diffuseFrames)
            diffuse = MakeFrameFileName(diffuse, slotCount, frame);
        if (opacityFrames)
            opacity = MakeFrameFileName(opacity, slotCount, frame);
        diffuse = FindStageTextureFile(*files, diffuse);
        if (!opacity.empty())
            opacity = FindStageTextureFile(*files, opacity);
        slots[frame] = textureManager->LoadTexture((stage.flags & ShaderStage::MipMapped) != 0, diffuse, opacity);
    }
}

void Shader::ReleaseStageTextures(std::uint32_t stageIndex)
{
    if (stageIndex >= ShaderDescriptor::MaxStages)
        return;
    std::vector<Texture2D*>& slots = stageTextures[stageIndex];
    for (Texture2D* texture : slots)
    {
        if (texture)
            textureManager->ReleaseTexture(texture);
    }
    slots.clear();
    slots.shrink_to_fit();
}

void Shader::Apply(const ShaderDescriptor& user)
{
    if (user.flags & ShaderDescriptor::Blended)
    {
        renderSystem->SetAlphaBlend(true);
        renderSystem->SetBlend(user.sourceBlend, user.destinationBlend);
    }
    else
    {
        renderSystem->SetAlphaBlend(false);
    }

    const std::uint32_t userStages = std::min(user.stageCount, ShaderDescriptor::MaxStages);
    for (std::uint32_t index = 0; index < userStages; ++index)
    {
        const ShaderStage& stage = user.stages[index];
        renderSystem->SetTexture(index, GetStageTexture(index, stage.currentFrame));
        renderSystem->SetTextureFilter(index, (stage.flags & ShaderStage::MipMapped) ? TextureFilterTrilinear
                                                                                     : TextureFilterBilinear);
        renderSystem->SetTextureAdressU(index, stage.addressU);
        renderSystem->SetTextureAdressV(index, stage.addressV);
        renderSystem->SetTextureTransform(index, stage.scaleU, stage.scaleV, stage.offsetU, stage.offsetV);
    }
    for (std::uint32_t index = userStages; index < renderSystem->textureStageCount; ++index)
        renderSystem->SetTexture(index, nullptr);
}

bool Shader::SetStageTexture(std::uint32_t stageIndex, std::uint32_t slot, Texture2D* texture)
{
    if (stageIndex >= stageCount || slot >= stageTextures[stageIndex].size())
    {
        log->Error("Shader: no texture slot " + UIntToString(slot, 0) + " in stage " + UIntToString(stageIndex, 0));
        return false;
    }
    Texture2D*& held = stageTextures[stageIndex][slot];
    // The owner may hand in the texture it put here before: its new reference
    // replaces the old one.
    if (held)
        textureManager->ReleaseTexture(held);
    held = texture;
    return true;
}

Texture2D* Shader::GetStageTexture(std::uint32_t stageIndex, std::uint32_t slot) const
{
    if (stageIndex >= stageCount || slot >= stageTextures[stageIndex].size())
        return nullptr;
    return stageTextures[stageIndex][slot];
}

std::uint32_t Shader::GetSlotCount(std::uint32_t stageIndex) const
{
    return stageIndex < stageCount ? static_cast<std::uint32_t>(stageTextures[stageIndex].size()) : 0;
}

} // namespace OrvaneEngine
