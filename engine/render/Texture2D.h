#pragma once

#include <cstdint>
#include <string>

namespace OrvaneEngine
{

class MessageManager;
class Config;
class TextureManager;

// A picture on the drawing device, shared through the texture manager by its key.
class Texture2D
{
public:
    // The wish for mip levels holds only while "r_use_mip_mapping" is on.
    Texture2D(MessageManager* log, Config* config, TextureManager* textureManager, const std::string& key,
              bool mipMapped);
    virtual ~Texture2D();
    Texture2D(const Texture2D&) = delete;
    Texture2D& operator=(const Texture2D&) = delete;

    const std::string& GetKey() const { return key; }

    MessageManager* log;
    Config* config;
    TextureManager* textureManager;
    std::string key;
    std::int32_t referenceCount = 1;
    std::uint32_t memorySize = 0;
    bool mipMapping;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

} // namespace OrvaneEngine
