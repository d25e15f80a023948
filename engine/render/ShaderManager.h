#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

namespace OrvaneEngine
{

class Config;
class FileManager;
class MessageManager;
class RenderSystem;
class ShaderDescriptor;
class ShaderUser;
class TextureManager;
class TimerManager;

// Turns descriptors into shader users, sharing one shader (its textures)
// among users of equal descriptors, advances every user's animations once a
// frame, and owns the texture manager.
class ShaderManager
{
public:
    ShaderManager(MessageManager* log, FileManager* files, TimerManager* timers, Config* config,
                  RenderSystem* renderSystem);
    // Deletes every user that is left (and so every shader), then the texture manager.
    virtual ~ShaderManager();
    ShaderManager(const ShaderManager&) = delete;
    ShaderManager& operator=(const ShaderManager&) = delete;

    // A new registered user of a copy of the descriptor. Loads textures but
    // makes no device call, so it may run on the loading worker.
    ShaderUser* AddShaderUser(const ShaderDescriptor& descriptor);
    // A user of an "OVSRF" file under the data folder; a file that cannot be
    // read gives the default descriptor (flags 0, no stage).
    ShaderUser* LoadShaderUser(const std::string& fileName);
    // Unregisters and deletes the user; null is ignored. A user the manager
    // does not hold is fatal.
    void RemoveShaderUser(ShaderUser* user);
    void Update();

    TextureManager* GetTextureManager() const { return textureManager.get(); }
    std::uint32_t GetShaderCount() const { return shaderCount; }
    std::uint32_t GetShaderUserCount() const { return static_cast<std::uint32_t>(users.size()); }

private:
    MessageManager* log;
    FileManager* files;
    TimerManager* timers;
    Config* config;
    RenderSystem* renderSystem;
    std::unique_ptr<TextureManager> textureManager;
    // By descriptor key; only users of one key are compared for sharing.
    std::unordered_multimap<std::uint32_t, std::unique_ptr<ShaderUser>> users;
    std::uint32_t shaderCount = 0;
};

} // namespace OrvaneEngine
