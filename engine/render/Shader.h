#pragma once

#include "engine/render/ShaderDescriptor.h"

#include <array>
#include <cstdint>
#include <vector>

namespace OrvaneEngine
{

class Config;
class FileManager;
class MessageManager;
class RenderSystem;
class Texture2D;
class TextureManager;

// The textures of every stage of one descriptor, shared by all users of equal
// descriptors: one slot per frame for frame-file animations, one otherwise.
// Each filled slot holds one reference of the texture manager. Created by the
// shader manager, deleted by its last user.
class Shader
{
public:
    // Loads the textures of every stage. Makes no device call, so it may run
    // on the loading worker.
    Shader(MessageManager* log, FileManager* files, Config* config, RenderSystem* renderSystem,
           TextureManager* textureManager, const ShaderDescriptor& descriptor);
    virtual ~Shader();
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    // Appends the texture list of one more stage.
    void LoadStageTextures(const ShaderStage& stage);
    // Releases every filled slot of the stage and empties its list.
    void ReleaseStageTextures(std::uint32_t stageIndex);
    // Sets the render state for drawing with a user's own descriptor: its
    // blending, filters, address modes and transforms with this shader's
    // textures; the device's further stages get no texture.
    void Apply(const ShaderDescriptor& user);

    // Puts a texture the owner made (one reference of the texture manager,
    // which the shader now holds) into a slot of a stage that loads no files,
    // releasing the texture that was there. False, with an error line, for a
    // stage or slot that does not exist; the texture is then left to the caller.
    bool SetStageTexture(std::uint32_t stageIndex, std::uint32_t slot, Texture2D* texture);
    // Null for an empty or missing slot.
    Texture2D* GetStageTexture(std::uint32_t stageIndex, std::uint32_t slot) const;
    std::uint32_t GetStageCount() const { return stageCount; }
    std::uint32_t GetSlotCount(std::uint32_t stageIndex) const;
    std::uint32_t GetUserCount() const { return userCount; }

private:
    // Users count themselves in and out.
    friend class ShaderUser;

    MessageManager* log;
    FileManager* files;
    [[maybe_unused]] Config* config;
    RenderSystem* renderSystem;
    TextureManager* textureManager;
    std::uint32_t stageCount = 0;
    std::array<std::vector<Texture2D*>, ShaderDescriptor::MaxStages> stageTextures;
    std::uint32_t userCount = 0;
};

} // namespace OrvaneEngine
