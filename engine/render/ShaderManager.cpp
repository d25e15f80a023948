#include "engine/render/ShaderManager.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/TextureManager.h"

namespace OrvaneEngine
{

ShaderManager::ShaderManager(MessageManager* log_, FileManager* files_, TimerManager* timers_, Config* config_,
                             RenderSystem* renderSystem_)
    : log(log_), files(files_), timers(timers_), config(config_), renderSystem(renderSystem_),
      textureManager(std::make_unique<TextureManager>(log_, files_, config_, timers_, renderSystem_))
{
}

ShaderManager::~ShaderManager()
{
    users.clear();
    textureManager.reset();
}

ShaderUser* ShaderManager::AddShaderUser(const ShaderDescriptor& descriptor)
{
    Shader* shader = nullptr;
    const auto [first, last] = users.equal_range(descriptor.key);
    for (auto entry = first; entry != last; ++entry)
    {
        if (entry->second->Equals(descriptor))
        {
            shader = entry->second->GetShader();
            break;
        }
    }
    if (!shader)
    {
        shader = new Shader(log, files, config, renderSystem, textureManager.get(), descriptor);
        ++shaderCount;
    }
    auto user = std::make_unique<ShaderUser>(log, timers, shader, descriptor);
    user->registeredKey = descriptor.key;
    ShaderUser* added = user.get();
    users.emplace(descriptor.key, std::move(user));
    return added;
}

ShaderUser* ShaderManager::LoadShaderUser(const std::string& fileName)
{
    std::unique_ptr<ShaderDescriptor> descriptor;
    try
    {
        descriptor = std::make_unique<ShaderDescriptor>(log, files, fileName);
    }
    catch (const Error&)
    {
        // Logged by the reader, except a third stage, which is not logged.
        descriptor = std::make_unique<ShaderDescriptor>(0);
    }
    return AddShaderUser(*descriptor);
}

void ShaderManager::RemoveShaderUser(ShaderUser* user)
{
    if (!user)
        return;
    const auto [first, last] = users.equal_range(user->registeredKey);
    for (auto entry = first; entry != last; ++entry)
    {
        if (entry->second.get() != user)
            continue;
        if (user->GetShader()->GetUserCount() == 1)
            --shaderCount;
        users.erase(entry);
        return;
    }
    log->Fatal("Shader Manager: Failed to remove shader");
}

void ShaderManager::Update()
{
    for (auto& entry : users)
        entry.second->Update();
}

} // namespace OrvaneEngine
