#include "framework/DataKeeper.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathFunctions.h"
#include "engine/core/StringFunctions.h"
#include "engine/core/Vector3.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"
#include "tools/XMLValue.h"

#include <algorithm>
#include <memory>

namespace GameFramework
{
namespace
{

constexpr std::uint32_t FirstGeneratedName = 123456789;

std::string GeneratedName(std::size_t count)
{
    return OrvaneEngine::UIntToString(FirstGeneratedName + static_cast<std::uint32_t>(count), 9);
}

// A negative number from a list counts as 0.
std::uint32_t NonNegative(const GameTools::XMLNode& node, const std::string& name)
{
    GameTools::XMLValue* value = node.GetAttributeValue(name);
    if (!value)
        return 0;
    return static_cast<std::uint32_t>(std::max(value->GetInt(), 0));
}

std::uint32_t AnimationType(GameTools::XMLValue* value)
{
    if (!value)
        return 0;
    const std::string& text = value->GetText();
    if (text == "net")
        return 1;
    if (text == "diffuse")
        return 2;
    if (text == "opacity")
        return 3;
    if (text == "diffuse_and_opacity")
        return 4;
    return 0;
}

} // namespace

// The first object under a name stays; a later one was made for nothing and
// would hold its textures and memory until exit, so it is released at once.
template <typename T, typename Release>
void DataKeeper::Register(std::map<std::string, T*>& map, const std::string& name, T* object,
                          const std::string& what, Release release)
{
    if (!object)
        return;
    if (!map.emplace(name, object).second)
    {
        log->Error(what + "\"" + name + "\" is duplicated");
        release(object);
    }
}

DataKeeper::DataKeeper(OrvaneEngine::Engine* owner, const std::string& language, bool /*useThread*/)
    : engine(owner),
      log(owner->messageManager.get()),
      fileManager(owner->fileManager.get()),
      shaderManager(owner->shaderManager.get()),
      textureManager(shaderManager ? shaderManager->GetTextureManager() : nullptr),
      modelManager(owner->modelManager.get()),
      spriteGroupManager(owner->spriteGroupManager.get()),
      particleSystemManager(owner->particleSystemManager.get()),
      languageCode(language)
{
}

DataKeeper::~DataKeeper()
{
    for (auto& [name, user] : shaderUsers)
        shaderManager->RemoveShaderUser(user);
    for (auto& [name, model] : models)
        delete model;
    for (auto& [name, group] : spriteGroups)
        delete group;
    for (auto& [name, system] : particleSystems)
        delete system;
    if (defaultShaderUser)
        shaderManager->RemoveShaderUser(defaultShaderUser);
    delete defaultModel;
    delete defaultSpriteGroup;
    delete defaultParticleSystem;
}

void DataKeeper::Load()
{
    LoadAll();
}

void DataKeeper::LoadAll()
{
    defaultShaderUser = shaderManager->AddShaderUser(OrvaneEngine::ShaderDescriptor(0));
    defaultModel = modelManager->CreateBoxModelResource(OrvaneEngine::Vector3(1.0f, 1.0f, 1.0f),
                                                        OrvaneEngine::Vector3(-1.0f, -1.0f, -1.0f));
    defaultSpriteGroup = spriteGroupManager->CreateSpriteGroupResource(1, *defaultShaderUser);
    defaultSpriteGroup->SetVisible(false);
    defaultParticleSystem = particleSystemManager->CreateParticleSystemResource();
    defaultParticleSystem->SetVisible(false);
    for (const std::string& path : resourceFiles)
        LoadResourceFile(path);
}

void DataKeeper::LoadResourceFile(const std::string& path)
{
    auto* root = new GameTools::XMLNode();
    try
    {
        GameTools::XMLParser parser(fileManager);
        parser.Parse(root, path);
        std::string folder = OrvaneEngine::GetDirectoryPart(path);
        const std::size_t data = folder.find("data\\");
        if (data != std::string::npos)
            folder.erase(0, data + 5);
        listPath = path;
        loopPasses = 0;
        Counters counters;
        ParseResourceNode(*root, folder, "", counters);
    }
    catch (const OrvaneEngine::FileError& error)
    {
        log->Error(error.GetText());
    }
    delete root;
}

bool DataKeeper::ParseResourceNode(GameTools::XMLNode& node, const std::string& folder, const std::string& prefix,
                                   Counters& counters)
{
    if (node.GetName() == "loop")
    {
        GameTools::XMLValue* counter = node.GetAttributeValue("counter");
        const std::uint32_t start = NonNegative(node, "start");
        const std::uint32_t count = NonNegative(node, "count");
        counters.emplace_back(counter ? counter->GetText() : "i", start);
        for (std::uint32_t value = start; value < count; ++value)
        {
            // A list could otherwise ask for billions of passes and hold
            // the loading screen for good.
            if (++loopPasses > MostLoopPasses)
            {
                log->Error("(DataKeeper::LoadResourceFile): \"" + listPath + "\" asks for more than " +
                           OrvaneEngine::UIntToString(MostLoopPasses, 0) + " loop passes; the rest of it is skipped");
                counters.pop_back();
                return false;
            }
            counters.back().second = value;
            for (GameTools::XMLNode* child : node.GetChildren())
            {
                if (!ParseResourceNode(*child, folder, prefix, counters))
                {
                    counters.pop_back();
                    return false;
                }
            }
        }
        counters.pop_back();
        return true;
    }

    GameTools::XMLValue* nameValue = node.GetAttributeValue("name");
    if (nameValue && !nameValue->GetText().empty())
    {
        GameTools::XMLValue* language = node.GetAttributeValue("language");
        if (language && language->GetText() != languageCode)
            return true;
        const std::string name = prefix + ResolveFileName(nameValue->GetText(), counters);
        if (node.GetName() == "model")
            LoadModel(node, name, folder, counters);
        else if (node.GetName() == "shader")
            LoadShader(node, name, folder, counters);
        return true;
    }

    const std::string& element = node.GetName();
    const std::string childPrefix = element.empty() || element == "resources" ? prefix : prefix + element + "/";
    for (GameTools::XMLNode* child : node.GetChildren())
    {
        if (!ParseResourceNode(*child, folder, childPrefix, counters))
            return false;
    }
    return true;
}

void DataKeeper::LoadModel(GameTools::XMLNode& node, const std::string& name, const std::string& folder,
                           const Counters& counters)
{
    GameTools::XMLValue* file = node.GetAttributeValue("file_name");
    const std::string fileName = ResolveFileName(file ? file->GetText() : "unknown_file_name", counters);
    GameTools::XMLValue* colors = node.GetAttributeValue("color_verticies");
    const std::uint32_t flags = colors && colors->GetBool() ? OrvaneEngine::Model::FlagColored : 0;
    OrvaneEngine::Model* model = modelManager->LoadModelResource(folder + "\\" + fileName, nullptr, flags);
    if (GameTools::XMLValue* speed = node.GetAttributeValue("animation_speed"); speed && model)
        model->GetAnimationControl()->speed = speed->GetFloat();
    AddModel(name, model);
}

void DataKeeper::LoadShader(GameTools::XMLNode& node, const std::string& name, const std::string& folder,
                            const Counters& counters)
{
    std::string diffuse;
    if (GameTools::XMLValue* value = node.GetAttributeValue("diffuse_file_name"))
        diffuse = folder + "\\" + ResolveFileName(value->GetText(), counters);
    std::string opacity;
    if (GameTools::XMLValue* value = node.GetAttributeValue("opacity_file_name"))
    {
        const std::string& text = value->GetText();
        opacity = text == "32bit" ? text : folder + "\\" + ResolveFileName(text, counters);
    }
    GameTools::XMLValue* clamp = node.GetAttributeValue("clamp");
    std::pair<std::uint32_t, std::uint32_t> grid{1, 1};
    if (GameTools::XMLValue* value = node.GetAttributeValue("net_size"))
        grid = value->GetIntPair();
    GameTools::XMLValue* frames = node.GetAttributeValue("frame_count");
    GameTools::XMLValue* speed = node.GetAttributeValue("animation_speed");
    const OrvaneEngine::ShaderDescriptor descriptor(
        true, AnimationType(node.GetAttributeValue("animation_type")), grid.first, grid.second,
        frames ? static_cast<std::uint32_t>(frames->GetInt()) : 1, speed ? speed->GetFloat() : 0.0f, diffuse, opacity,
        clamp ? clamp->GetBool() : true);
    AddShaderUser(name, shaderManager->AddShaderUser(descriptor));
}

void DataKeeper::AddModel(const std::string& name, OrvaneEngine::Model* model)
{
    Register(models, name, model, "(DataKeeper::AddModel): Model ", [](OrvaneEngine::Model* m) { delete m; });
}

void DataKeeper::AddShaderUser(const std::string& name, OrvaneEngine::ShaderUser* user)
{
    Register(shaderUsers, name, user, "(DataKeeper::AddShaderUser): Shader User ",
             [this](OrvaneEngine::ShaderUser* u) { shaderManager->RemoveShaderUser(u); });
}

void DataKeeper::AddParticleSystem(const std::string& name, OrvaneEngine::ParticleSystem* system)
{
    Register(particleSystems, name, system, "(DataKeeper::AddParticleSystem): Particle System ",
             [](OrvaneEngine::ParticleSystem* p) { delete p; });
}

void DataKeeper::AddModelByName(OrvaneEngine::Model* model)
{
    AddModel(GeneratedName(models.size()), model);
}

void DataKeeper::AddShaderUserByName(OrvaneEngine::ShaderUser* user)
{
    AddShaderUser(GeneratedName(shaderUsers.size()), user);
}

void DataKeeper::AddParticleSystemByName(OrvaneEngine::ParticleSystem* system)
{
    AddParticleSystem(GeneratedName(particleSystems.size()), system);
}

std::string DataKeeper::ResolveFileName(const std::string& text, const Counters& counters)
{
    std::string resolved = text;
    for (const auto& [name, value] : counters)
    {
        const std::size_t open = resolved.find("%" + name);
        if (open == std::string::npos)
            continue;
        const std::size_t close = resolved.find('%', open + 1 + name.size());
        if (close == std::string::npos)
            continue;
        const std::string piece = resolved.substr(open, close - open + 1);
        const std::string digits = resolved.substr(open + 1 + name.size(), close - open - 1 - name.size());
        const std::uint32_t width = std::min(OrvaneEngine::StringToUInt(digits, 10), WidestNumber);
        OrvaneEngine::ReplaceAll(resolved, piece, OrvaneEngine::UIntToString(value, width));
    }
    return resolved;
}

} // namespace GameFramework
