#pragma once

#include <string>

namespace OrvaneEngine
{
class Image;
class ShaderManager;
class ShaderUser;
} // namespace OrvaneEngine

namespace Mirabel
{

// A shader user with one mip-mapped stage that loads no file but shows a
// texture made here from a picture, as the puzzle's board and pages use.
class OwnerTextureShader
{
public:
    // A new user of a descriptor (blended with source alpha over inverse
    // source alpha when asked) whose stage is named name.
    static OrvaneEngine::ShaderUser* AddUser(OrvaneEngine::ShaderManager& shaders, const std::string& name,
                                             bool blended);
    // A texture of the image (the texture manager takes the image over) put
    // into the first stage of the shader the user shares; the texture that
    // was there is released.
    static void Install(OrvaneEngine::ShaderManager& shaders, OrvaneEngine::ShaderUser& user,
                        const std::string& name, OrvaneEngine::Image* image);
};

} // namespace Mirabel
