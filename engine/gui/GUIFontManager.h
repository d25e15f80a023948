#pragma once

#include "engine/core/Color.h"
#include "engine/core/Vector2.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class Camera;
class FileManager;
class GUIFont;
class GUIWindow;
class MessageManager;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;

// The loaded fonts by id, and their batch instances, one per font and depth
// in use: a window prints into the instance at its own depth − 0.005.
class GUIFontManager
{
public:
    // Texts lie this much in front of their window.
    static constexpr float TextDepthOffset = 0.005f;
    // An instance serves a depth within this distance.
    static constexpr float DepthTolerance = 0.0001f;

    GUIFontManager(MessageManager* log, FileManager* files, ShaderManager* shaderManager, ModelManager* modelManager,
                   Camera* guiCamera);
    virtual ~GUIFontManager();
    GUIFontManager(const GUIFontManager&) = delete;
    GUIFontManager& operator=(const GUIFontManager&) = delete;

    // An id already loaded keeps its font: the error is logged and that font
    // returned.
    GUIFont* CreateFont(std::uint32_t id, const ShaderDescriptor* descriptor, const std::string& fileName);
    GUIFont* GetFont(std::uint32_t id) const;
    GUIFont* GetFontInstance(std::uint32_t id, const GUIWindow* window);
    // Where the pen starts for the alignment flags; (0, 0) without such font.
    Vector2 AlignText(std::uint32_t alignment, std::uint32_t fontId, const GUIWindow* window, const Vector2& position,
                      float angle, const std::u16string& text) const;
    void PrintText(std::uint32_t alignment, std::uint32_t fontId, float angle, const GUIWindow* window,
                   const Vector2& position, const Color& color, const std::u16string& text);
    // Deletes the instances that printed nothing this frame, then closes
    // every batch.
    void EndFrame();

    const std::map<std::uint32_t, std::unique_ptr<GUIFont>>& GetFonts() const { return fonts; }
    const std::vector<std::unique_ptr<GUIFont>>& GetInstances() const { return instances; }

private:
    MessageManager* log;
    FileManager* files;
    ShaderManager* shaderManager;
    ModelManager* modelManager;
    Camera* guiCamera;
    std::map<std::uint32_t, std::unique_ptr<GUIFont>> fonts;
    std::vector<std::unique_ptr<GUIFont>> instances;
};

} // namespace OrvaneEngine
