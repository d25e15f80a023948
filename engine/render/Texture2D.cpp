#include "engine/render/Texture2D.h"

#include "engine/core/Config.h"

namespace OrvaneEngine
{

Texture2D::Texture2D(MessageManager* log_, Config* config_, TextureManager* textureManager_, const std::string& key_,
                     bool mipMapped)
    : log(log_), config(config_), textureManager(textureManager_), key(key_),
      mipMapping(mipMapped && config_ && config_->useMipMapping)
{
}

Texture2D::~Texture2D() = default;

} // namespace OrvaneEngine
