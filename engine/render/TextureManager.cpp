#include "engine/render/TextureManager.h"

#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/Texture2D.h"

namespace OrvaneEngine
{

TextureManager::TextureManager(MessageManager* log_, FileManager* files_, Config* config_, TimerManager* timers_,
                               RenderSystem* renderSystem_)
    : log(log_), files(files_), config(config_), timers(timers_), renderSystem(renderSystem_)
{
}

TextureManager::~TextureManager()
{
    for (auto& [record, entry] : textures)
    {
        entry.record.reset();
        entry.texture.reset();
    }
    textures.clear();
}

std::string TextureManager::MakeTextureKey(const std::string& diffuseName, const std::string& opacityName,
                                           bool mipMapped)
{
    std::string key = "diffuse_" + ToLower(diffuseName);
    if (!opacityName.empty())
        key += "_plus_opacity_" + ToLower(opacityName);
    if (mipMapped)
        key += "_with_mip_mapping";
    return key;
}

bool TextureManager::IsPowerOfTwo(std::uint32_t value)
{
    return value <= 65536 && (value & (value - 1)) == 0;
}

std::uint32_t TextureManager::WantedSize(std::uint32_t size, std::uint32_t limit)
{
    std::uint64_t p = 1;
    while (p < size)
        p <<= 1;
    std::uint64_t wanted = p;
    if (p - size > size - p / 2)
        wanted = p / 2;
    if (limit != 0 && wanted > limit)
        wanted = limit;
    return wanted == 0 ? 1 : static_cast<std::uint32_t>(wanted);
}

TextureManager::Entries::iterator TextureManager::FindKey(const std::string& key)
{
    for (auto it = textures.begin(); it != textures.end(); ++it)
    {
        if (it->first->key == key)
            return it;
    }
    return textures.end();
}

Texture2D* TextureManager::LoadTexture(bool mipMapped, const std::string& diffuseName, const std::string& opacityName)
{
    const auto it = FindKey(MakeTextureKey(diffuseName, opacityName, mipMapped));
    if (it != textures.end())
    {
        ++it->second.texture->referenceCount;
        return it->second.texture.get();
    }
    Image* diffuse = nullptr;
    Image* opacity = nullptr;
    LoadImages(diffuseName, opacityName, diffuse, opacity);
    Texture2D* texture = CreateTexture(false, mipMapped, diffuseName, opacityName, diffuse, opacity);
    delete diffuse;
    delete opacity;
    return texture;
}

void TextureManager::LoadImages(const std::string& diffuseName, const std::string& opacityName, Image*& diffuse,
                                Image*& opacity)
{
    auto loadedDiffuse = std::make_unique<Image>();
    loadedDiffuse->Load(log, files, diffuseName);
    if (loadedDiffuse->IsEmpty())
        loadedDiffuse->MakeCheckerboard(log);
    std::unique_ptr<Image> loadedOpacity;
    if (!opacityName.empty())
    {
        loadedOpacity = std::make_unique<Image>();
        if (opacityName != diffuseName)
            loadedOpacity->Load(log, files, opacityName);
        else
            loadedOpacity->CopyFrom(*loadedDiffuse);
        if (loadedOpacity->IsEmpty())
            loadedOpacity.reset();
    }
    diffuse = loadedDiffuse.release();
    opacity = loadedOpacity.release();
}

void TextureManager::FitImages(const std::string& diffuseName, const std::string& opacityName, Image& diffuse,
                               Image* opacity, bool warn) const
{
    const std::uint32_t width = diffuse.GetWidth();
    const std::uint32_t height = diffuse.GetHeight();
    if (warn && (!IsPowerOfTwo(width) || !IsPowerOfTwo(height)))
        log->Warning("Texture Manager: \"" + diffuseName + "\" image size should be power of two");
    const std::uint32_t wantedWidth = WantedSize(width, renderSystem->maxTextureWidth);
    const std::uint32_t wantedHeight = WantedSize(height, renderSystem->maxTextureHeight);
    if (wantedWidth != width || wantedHeight != height)
        diffuse.Resize(wantedWidth, wantedHeight, 1);
    if (opacity && (opacity->GetWidth() != diffuse.GetWidth() || opacity->GetHeight() != diffuse.GetHeight()))
    {
        if (warn)
            log->Warning("Texture Manager: \"" + opacityName + "\" image size should be the same as \"" +
                         diffuseName + "\"");
        opacity->Resize(diffuse.GetWidth(), diffuse.GetHeight(), 1);
    }
}

Texture2D* TextureManager::CreateTexture(bool keepImages, bool mipMapped, const std::string& diffuseName,
                                         const std::string& opacityName, Image* diffuse, Image* opacity)
{
    // With keepImages the pictures are ours from here on, whatever happens.
    std::unique_ptr<Image> ownedDiffuse(keepImages ? diffuse : nullptr);
    std::unique_ptr<Image> ownedOpacity(keepImages ? opacity : nullptr);

    const std::string key = MakeTextureKey(diffuseName, opacityName, mipMapped);
    const auto it = FindKey(key);
    if (it != textures.end())
    {
        ++it->second.texture->referenceCount;
        return it->second.texture.get();
    }
    if (!diffuse)
    {
        log->Error("Texture Manager: \"" + diffuseName + "\" has no image");
        return nullptr;
    }
    // A picture of no pixels would make a surface of none; draw the placeholder instead.
    if (diffuse->IsEmpty() || diffuse->GetWidth() == 0 || diffuse->GetHeight() == 0)
        diffuse->MakeCheckerboard(log);
    if (opacity && (opacity->IsEmpty() || opacity->GetWidth() == 0 || opacity->GetHeight() == 0))
    {
        ownedOpacity.reset();
        opacity = nullptr;
    }

    FitImages(diffuseName, opacityName, *diffuse, opacity, true);
    std::unique_ptr<Texture2D> texture = renderSystem->CreateTexture(this, key, diffuse, opacity, mipMapped);
    if (!texture)
        return nullptr;

    auto record = std::make_unique<TextureRecord>();
    record->key = key;
    record->diffuseName = diffuseName;
    record->opacityName = opacityName;
    record->diffuseImage = std::move(ownedDiffuse);
    record->opacityImage = std::move(ownedOpacity);
    Texture2D* result = texture.get();
    const TextureRecord* recordKey = record.get();
    textures.emplace(recordKey, Entry{std::move(record), std::move(texture)});
    return result;
}

void TextureManager::ReleaseTexture(Texture2D* texture)
{
    if (!texture)
        return;
    // Found by the object itself rather than by its key, so a texture that is
    // not ours is never read.
    for (auto it = textures.begin(); it != textures.end(); ++it)
    {
        if (it->second.texture.get() != texture)
            continue;
        if (--texture->referenceCount <= 0)
        {
            it->second.record.reset();
            it->second.texture.reset();
            textures.erase(it);
        }
        return;
    }
}

std::uint32_t TextureManager::GetTextureCount() const
{
    return static_cast<std::uint32_t>(textures.size());
}

std::uint32_t TextureManager::GetUsedMemorySize() const
{
    std::uint32_t sum = 0;
    for (const auto& [record, entry] : textures)
        sum += entry.texture->memorySize;
    return sum;
}

void TextureManager::GetTextures(std::vector<Texture2D*>& out) const
{
    out.clear();
    for (const auto& [record, entry] : textures)
        out.push_back(entry.texture.get());
}

bool TextureManager::GetImages(const Texture2D* texture, Image*& diffuse, Image*& opacity, bool& loaded)
{
    diffuse = nullptr;
    opacity = nullptr;
    loaded = false;
    if (!texture)
        return false;
    const auto it = FindKey(texture->GetKey());
    if (it == textures.end())
        return false;
    TextureRecord& record = *it->second.record;
    if (record.diffuseImage)
    {
        diffuse = record.diffuseImage.get();
        opacity = record.opacityImage.get();
    }
    else
    {
        LoadImages(record.diffuseName, record.opacityName, diffuse, opacity);
        loaded = true;
    }
    // Files hold the pictures as they were before creation fitted them, and a
    // new device may take smaller textures; the warnings were given at creation.
    FitImages(record.diffuseName, record.opacityName, *diffuse, opacity, false);
    return true;
}

} // namespace OrvaneEngine
