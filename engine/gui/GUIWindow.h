#pragma once

#include "engine/core/Color.h"
#include "engine/core/Vector2.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{

class Camera;
class GUIFontManager;
class GUITextManager;
class MessageManager;
class Model;
class ModelManager;
class ShaderDescriptor;
class ShaderManager;
class ShaderUser;

// One text to print over a window in its next render.
struct GUITextEntry
{
    std::uint32_t alignment = 0;
    std::uint32_t fontId = 0;
    float angle = 0.0f;
    // 0 or more replaces the font's glyph height for this entry only.
    float scale = -1.0f;
    Vector2 position{0.0f, 0.0f};
    Color color{1.0f, 1.0f, 1.0f, 1.0f};
    std::u16string text;
    std::string key;
    std::int32_t keyNumber = -1;
    bool fromKey = false;
};

// The base of every GUI widget: a rectangle on the virtual screen with an
// optional model, a place in a parent/child tree, a depth deciding what
// covers what, a hover test and the texts to print over it this frame.
class GUIWindow
{
public:
    static constexpr std::uint32_t FlagShown = 1;
    static constexpr std::uint32_t FlagColored = 2;
    static constexpr std::uint32_t FlagBackLayer = 4;
    static constexpr std::uint32_t FlagMiddleLayer = 8;
    static constexpr std::uint32_t FlagFrontLayer = 16;
    static constexpr std::uint32_t LayerFlags = FlagBackLayer | FlagMiddleLayer | FlagFrontLayer;

    // On a textured unit quad whose texture coordinates run to the extent.
    GUIWindow(MessageManager* log, ShaderManager* shaderManager, ModelManager* modelManager,
              GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera, std::uint32_t flags,
              const Vector2& position, const Vector2& size, const ShaderDescriptor* descriptor, GUIWindow* parent,
              const Vector2& textureExtent);
    // On a model loaded from a file.
    GUIWindow(MessageManager* log, ShaderManager* shaderManager, ModelManager* modelManager,
              GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera, std::uint32_t flags,
              const Vector2& position, const Vector2& size, const std::string& modelFileName, GUIWindow* parent);
    // On a copy of the model, or without a model.
    GUIWindow(MessageManager* log, ShaderManager* shaderManager, ModelManager* modelManager,
              GUIFontManager* fontManager, GUITextManager* textManager, Camera* guiCamera, std::uint32_t flags,
              const Vector2& position, const Vector2& size, const Model* model, GUIWindow* parent);
    // Orphans the children and releases the model.
    virtual ~GUIWindow();
    GUIWindow(const GUIWindow&) = delete;
    GUIWindow& operator=(const GUIWindow&) = delete;

    // The hover test; false while invisible.
    virtual bool Update(const Vector2& cursor, bool held, bool pressed);
    // Places the model and prints the queued texts; false while invisible.
    virtual bool Render();
    virtual void SetLevel(std::int32_t level);
    virtual void SetColor(const Color& color);
    virtual void UpdateVisibility();

    void SetFlags(std::uint32_t bits);
    void ClearFlags(std::uint32_t bits);
    void SetParent(GUIWindow* parent);
    void AddChild(GUIWindow* child);
    void RemoveChild(GUIWindow* child);
    Vector2 GetParentPosition() const;
    Vector2 GetAbsolutePosition() const;
    Color GetColor() const;
    ShaderUser* GetShaderUser() const;
    void SetShader(const ShaderDescriptor& descriptor);

    void AddTextByKey(std::uint32_t alignment, std::uint32_t fontId, const Vector2& position, const Color& color,
                      const std::string& key, std::int32_t keyNumber = -1, float angle = 0.0f, float scale = -1.0f);
    // An empty text queues nothing.
    void AddWideText(std::uint32_t alignment, std::uint32_t fontId, const Vector2& position, const Color& color,
                     const std::u16string& text, float angle = 0.0f, float scale = -1.0f);
    GUITextEntry* AllocTextEntry();

    // The entries queued for this frame, in queue order.
    std::uint32_t GetTextEntryCount() const { return textEntryCount; }
    const GUITextEntry& GetTextEntry(std::uint32_t index) const { return *textEntries[index]; }
    const std::vector<GUIWindow*>& GetChildren() const { return children; }

    // Read and written directly by widgets and screens.
    std::uint32_t flags = 0;
    bool visible = false;
    Vector2 position{0.0f, 0.0f};
    Vector2 size{0.0f, 0.0f};
    GUIWindow* parent = nullptr;
    std::int32_t level = 1;
    float depth = -15.0f;
    bool customHitRect = false;
    Vector2 hitRectOrigin{0.0f, 0.0f};
    Vector2 hitRectSize{0.0f, 0.0f};
    bool textArea = false;
    Vector2 textAreaOrigin{0.0f, 0.0f};
    Vector2 textAreaSize{0.0f, 0.0f};
    bool hovered = false;
    bool autoFit = true;
    Model* model = nullptr;

protected:
    // Stores the given state the same way whichever model the window got.
    void Construct(std::uint32_t flags_, const Vector2& position_, const Vector2& size_, GUIWindow* parent_);
    void PrintEntry(const GUITextEntry& entry);
    void CopyDepthToModel();

    MessageManager* log;
    ShaderManager* shaderManager;
    ModelManager* modelManager;
    GUIFontManager* fontManager;
    GUITextManager* textManager;
    std::vector<GUIWindow*> children;
    std::uint32_t textEntryCount = 0;
    std::vector<std::unique_ptr<GUITextEntry>> textEntries;
};

} // namespace OrvaneEngine
