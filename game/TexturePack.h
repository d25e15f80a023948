#pragma once

#include "engine/core/Vector2.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class Engine;
class GUIManager;
class GUIWindow;
class Image;
class MessageManager;
class ShaderManager;
class ShaderUser;
} // namespace OrvaneEngine

namespace Mirabel
{

// Page textures that hold many small images, and the named rectangle of each
// image on its page, from which it draws textured GUI windows.
class TexturePack
{
public:
    struct SubTexture
    {
        OrvaneEngine::ShaderUser* page = nullptr;
        OrvaneEngine::Vector2 uvMin{0.0f, 0.0f};
        OrvaneEngine::Vector2 uvMax{0.0f, 0.0f};
    };

    // One texture and one shader user per page image; the texture manager
    // takes the images over with their textures.
    TexturePack(OrvaneEngine::Engine* engine, const std::vector<OrvaneEngine::Image*>& pageImages,
                const std::string& name);
    // Releases the page shader users.
    virtual ~TexturePack();
    TexturePack(const TexturePack&) = delete;
    TexturePack& operator=(const TexturePack&) = delete;

    // A name already present keeps its first record.
    void AddTexture(const std::string& name, std::uint32_t pageIndex, const OrvaneEngine::Vector2& uvMin,
                    const OrvaneEngine::Vector2& uvMax);
    // A window of the GUI manager that draws the named image (the name in any
    // letter case). A name the pack does not hold is fatal.
    OrvaneEngine::GUIWindow* GetTexture(const std::string& name, std::uint32_t flags,
                                        const OrvaneEngine::Vector2& position, const OrvaneEngine::Vector2& size,
                                        OrvaneEngine::GUIWindow* parent);

    const std::string& GetName() const { return name; }
    const std::vector<OrvaneEngine::ShaderUser*>& GetPages() const { return pages; }
    // Null when the pack does not hold the name as given.
    const SubTexture* FindTexture(const std::string& textureName) const;

    // "pack_" + pack name + "_" + page index.
    static std::string PageName(const std::string& packName, std::uint32_t pageIndex);

private:
    OrvaneEngine::MessageManager* log;
    OrvaneEngine::ShaderManager* shaderManager;
    OrvaneEngine::GUIManager* guiManager;
    std::string name;
    std::vector<OrvaneEngine::ShaderUser*> pages;
    std::map<std::string, SubTexture> subTextures;
};

} // namespace Mirabel
