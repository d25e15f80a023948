#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace OrvaneEngine
{
class Engine;
class FileManager;
class MessageManager;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class ShaderManager;
class ShaderUser;
class SpriteGroup;
class SpriteGroupManager;
class TextureManager;
} // namespace OrvaneEngine

namespace GameTools
{
class XMLNode;
}

namespace GameFramework
{

// A named set of models, shader users, sprite groups and particle systems,
// loaded from XML resource lists and owned until the keeper is deleted.
class DataKeeper
{
public:
    // Loop passes one list may run; past that the list is cut off.
    static constexpr std::uint32_t MostLoopPasses = 100000;
    // Widest number a counter is padded to.
    static constexpr std::uint32_t WidestNumber = 32;

    // Loop counters, outermost first: (name, current value).
    using Counters = std::vector<std::pair<std::string, std::uint32_t>>;

    // useThread has no effect: loading runs on the calling thread.
    DataKeeper(OrvaneEngine::Engine* engine, const std::string& languageCode, bool useThread);
    virtual ~DataKeeper();
    DataKeeper(const DataKeeper&) = delete;
    DataKeeper& operator=(const DataKeeper&) = delete;

    // LoadAll on the calling thread. Makes no drawing call: textures and
    // models upload lazily on the main thread.
    void Load();
    // The default objects, then every resource list in order.
    virtual void LoadAll();
    // A list that cannot be read logs its error, and nothing of it is kept.
    void LoadResourceFile(const std::string& path);
    // One more list, read after those the derived keeper named.
    void AddResourceFile(const std::string& path) { resourceFiles.push_back(path); }
    const std::vector<std::string>& GetResourceFiles() const { return resourceFiles; }

    // The keeper takes the object over; a second object under a taken name
    // is logged and released, and the first stays.
    void AddModel(const std::string& name, OrvaneEngine::Model* model);
    void AddShaderUser(const std::string& name, OrvaneEngine::ShaderUser* user);
    void AddParticleSystem(const std::string& name, OrvaneEngine::ParticleSystem* system);
    // Under "123456789" plus the number of entries in that map.
    void AddModelByName(OrvaneEngine::Model* model);
    void AddShaderUserByName(OrvaneEngine::ShaderUser* user);
    void AddParticleSystemByName(OrvaneEngine::ParticleSystem* system);

    // Replaces "%" name [digits] "%" by each counter's value, outermost
    // counter first; the digits are a minimum width (at most WidestNumber).
    static std::string ResolveFileName(const std::string& text, const Counters& counters);

    const std::map<std::string, OrvaneEngine::ShaderUser*>& GetShaderUsers() const { return shaderUsers; }
    const std::map<std::string, OrvaneEngine::Model*>& GetModels() const { return models; }
    const std::map<std::string, OrvaneEngine::SpriteGroup*>& GetSpriteGroups() const { return spriteGroups; }
    const std::map<std::string, OrvaneEngine::ParticleSystem*>& GetParticleSystems() const { return particleSystems; }

protected:
    // Returns false once the list has used up its loop passes.
    bool ParseResourceNode(GameTools::XMLNode& node, const std::string& folder, const std::string& prefix,
                           Counters& counters);

    OrvaneEngine::Engine* engine;
    OrvaneEngine::MessageManager* log;
    OrvaneEngine::FileManager* fileManager;
    OrvaneEngine::ShaderManager* shaderManager;
    OrvaneEngine::TextureManager* textureManager;
    OrvaneEngine::ModelManager* modelManager;
    OrvaneEngine::SpriteGroupManager* spriteGroupManager;
    OrvaneEngine::ParticleSystemManager* particleSystemManager;

    // Filled by the derived keeper before loading.
    std::vector<std::string> resourceFiles;
    std::string languageCode;

    OrvaneEngine::ShaderUser* defaultShaderUser = nullptr;
    OrvaneEngine::Model* defaultModel = nullptr;
    OrvaneEngine::SpriteGroup* defaultSpriteGroup = nullptr;
    OrvaneEngine::ParticleSystem* defaultParticleSystem = nullptr;

    std::map<std::string, OrvaneEngine::ShaderUser*> shaderUsers;
    std::map<std::string, OrvaneEngine::Model*> models;
    std::map<std::string, OrvaneEngine::SpriteGroup*> spriteGroups;
    std::map<std::string, OrvaneEngine::ParticleSystem*> particleSystems;

private:
    template <typename T, typename Release>
    void Register(std::map<std::string, T*>& map, const std::string& name, T* object, const std::string& what,
                  Release release);
    void LoadModel(GameTools::XMLNode& node, const std::string& name, const std::string& folder,
                   const Counters& counters);
    void LoadShader(GameTools::XMLNode& node, const std::string& name, const std::string& folder,
                    const Counters& counters);

    // Of the list being walked.
    std::string listPath;
    std::uint32_t loopPasses = 0;
};

} // namespace GameFramework
