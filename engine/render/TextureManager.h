#pragma once

#include "engine/render/TextureRecord.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class Config;
class FileManager;
class Image;
class MessageManager;
class RenderSystem;
class Texture2D;
class TimerManager;

// Shares textures by a key made of the image names and the mip-mapping wish,
// counts their users, and remembers where each texture's pictures come from
// so that its surface can be built again after a device reset.
//
// Textures may be created on the loading worker: nothing here, nor in the
// texture's construction, touches the drawing device's GL context.
class TextureManager
{
public:
    TextureManager(MessageManager* log, FileManager* files, Config* config, TimerManager* timers,
                   RenderSystem* renderSystem);
    // Deletes every texture, record and kept picture, whatever the counts.
    virtual ~TextureManager();
    TextureManager(const TextureManager&) = delete;
    TextureManager& operator=(const TextureManager&) = delete;

    // A texture of the pictures in these files; an existing one of the same
    // key gets one more reference. A diffuse file that cannot be read gives
    // the checkerboard; an opacity file that cannot be read, no opacity.
    Texture2D* LoadTexture(bool mipMapped, const std::string& diffuseName, const std::string& opacityName);
    // A texture of the given pictures, which are resized in place to the
    // sizes the texture takes. With keepImages the manager owns both images
    // from now on (also when the key exists already and they are deleted at
    // once); otherwise the caller still owns them. Null without a diffuse image.
    Texture2D* CreateTexture(bool keepImages, bool mipMapped, const std::string& diffuseName,
                             const std::string& opacityName, Image* diffuse, Image* opacity);
    // One reference less; the last one deletes the texture. Null and
    // textures this manager does not hold are ignored.
    void ReleaseTexture(Texture2D* texture);

    std::uint32_t GetTextureCount() const;
    std::uint32_t GetUsedMemorySize() const;
    // Empties the vector, then fills it with every texture.
    void GetTextures(std::vector<Texture2D*>& out) const;

    // New pictures of a file texture; the caller deletes them. The diffuse
    // one is the checkerboard when its file cannot be read; the opacity one is
    // null without a name or when its file cannot be read.
    void LoadImages(const std::string& diffuseName, const std::string& opacityName, Image*& diffuse,
                    Image*& opacity);
    // The pictures a texture's surface is built again from, already at the
    // sizes the texture takes. With loaded set they are new and the caller
    // deletes them; otherwise the manager keeps them. False, with both null,
    // for a texture the manager does not hold.
    bool GetImages(const Texture2D* texture, Image*& diffuse, Image*& opacity, bool& loaded);
    // Brings the diffuse picture to the power-of-two size the device takes
    // and the opacity picture to the diffuse one's size, with the warnings
    // when asked for.
    void FitImages(const std::string& diffuseName, const std::string& opacityName, Image& diffuse, Image* opacity,
                   bool warn) const;

    static std::string MakeTextureKey(const std::string& diffuseName, const std::string& opacityName,
                                      bool mipMapped);
    static bool IsPowerOfTwo(std::uint32_t value);
    // The nearer power of two (a tie takes the larger), at most limit (0: no limit).
    static std::uint32_t WantedSize(std::uint32_t size, std::uint32_t limit);

private:
    struct Entry
    {
        std::unique_ptr<TextureRecord> record;
        std::unique_ptr<Texture2D> texture;
    };
    using Entries = std::map<const TextureRecord*, Entry>;

    Entries::iterator FindKey(const std::string& key);

    MessageManager* log;
    FileManager* files;
    [[maybe_unused]] Config* config;
    [[maybe_unused]] TimerManager* timers;
    RenderSystem* renderSystem;
    Entries textures;
};

} // namespace OrvaneEngine
