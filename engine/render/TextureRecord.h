#pragma once

#include "engine/render/Image.h"

#include <memory>
#include <string>

namespace OrvaneEngine
{

// Where a texture's pictures come from, so that a surface lost with the
// device can be built again: the file names, or the pictures themselves when
// they exist in no file.
struct TextureRecord
{
    std::string key;
    std::string diffuseName;
    std::string opacityName;
    std::unique_ptr<Image> diffuseImage;
    std::unique_ptr<Image> opacityImage;
};

} // namespace OrvaneEngine
