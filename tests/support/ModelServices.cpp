#include "tests/support/ModelServices.h"

namespace corvellan::test
{

namespace
{

bool Prepare(const TempFolder& folder, const std::function<void(const TempFolder&)>& prepare)
{
    if (prepare)
        prepare(folder);
    return true;
}

} // namespace

ModelServices::ModelServices() : ModelServices(std::function<void(const TempFolder&)>()) {}

ModelServices::ModelServices(const std::function<void(const TempFolder&)>& prepare)
    : prepared(Prepare(folder, prepare))
{
    static_cast<void>(prepared);
    renderSystem.ready = true;
    renderSystem.InitTextureStages();
    timers.frameTime = 0.0f;
    UsePerspective(*cameras.defaultCamera);
    log.ClearMessages();
}

void ModelServices::UsePerspective(OrvaneEngine::Camera& camera)
{
    for (float& element : camera.projection.m)
        element = 0.0f;
    camera.projection.m[0] = 1.2990381f;
    camera.projection.m[5] = 1.7320508f;
    camera.projection.m[10] = -1001.0f / 999.0f;
    camera.projection.m[11] = -1.0f;
    camera.projection.m[14] = -2000.0f / 999.0f;
    camera.Update(4.0f / 3.0f);
}

bool ModelServices::WriteModel(const std::string& name, const content::ModelFileRecord& record,
                               const content::ModelFileDamage& damage) const
{
    return content::ModelFileWriter::WriteTo(DataPath(name), record, damage);
}

bool ModelServices::WriteShader(const std::string& name, const content::ShaderFileRecord& record) const
{
    return content::ShaderFileWriter::WriteTo(DataPath(name), record);
}

std::string ModelServices::DataPath(const std::string& name) const
{
    std::string path = folder.Join("data/" + name);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

std::unique_ptr<OrvaneEngine::Model> ModelServices::Load(const std::string& name, std::uint32_t flags)
{
    return std::make_unique<OrvaneEngine::Model>(&log, &files, &timers, &renderSystem, &cameras, &lights, &shaders,
                                                 name, nullptr, flags);
}

std::unique_ptr<OrvaneEngine::Model> ModelServices::Box(const OrvaneEngine::Vector3& a,
                                                        const OrvaneEngine::Vector3& b, std::uint32_t flags,
                                                        const OrvaneEngine::ShaderDescriptor* descriptor)
{
    return std::make_unique<OrvaneEngine::Model>(&log, &files, &timers, &renderSystem, &cameras, &lights, &shaders,
                                                 a, b, descriptor, nullptr, flags);
}

std::unique_ptr<OrvaneEngine::Model> ModelServices::Procedural(std::uint32_t flags, std::uint32_t vertices,
                                                               std::uint32_t indices, std::uint32_t frames)
{
    return std::make_unique<OrvaneEngine::Model>(&log, &files, &timers, &renderSystem, &cameras, &lights, &shaders,
                                                 flags, vertices, indices, frames, nullptr, nullptr);
}

std::vector<std::string> ModelServices::Entries(std::uint32_t level) const
{
    std::vector<std::string> texts;
    for (std::int32_t index = 0; index < log.GetMessageCount(); ++index)
    {
        const OrvaneEngine::LogMessage entry = log.GetMessage(static_cast<std::uint32_t>(index));
        if (entry.level == level)
            texts.push_back(entry.text);
    }
    return texts;
}

std::string ModelServices::ErrorEntry(const std::string& text)
{
    return "\nError: " + text + "!\n\n";
}

} // namespace corvellan::test
