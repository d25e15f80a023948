#pragma once

#include "engine/gui/GUIWindow.h"

#include <cstdint>
#include <string>

namespace OrvaneEngine
{

class GUISoundManager;

// A window that reacts to the left mouse button: a click needs the press and
// the release over it. Its look is a frame of its texture or model animation
// picked from its state.
class GUIButton : public GUIWindow
{
public:
    static constexpr std::uint32_t StateNormal = 0;
    static constexpr std::uint32_t StateHover = 1;
    static constexpr std::uint32_t StatePressed = 2;
    static constexpr std::uint32_t StateDisabled = 3;

    // On a textured unit quad whose texture coordinates run to the extent.
    GUIButton(MessageManager* log, ShaderManager* shaderManager, ModelManager* modelManager,
              GUIFontManager* fontManager, GUITextManager* textManager, GUISoundManager* soundManager,
              Camera* guiCamera, std::uint32_t flags, const Vector2& position, const Vector2& size,
              const ShaderDescriptor* descriptor, GUIWindow* parent, const Vector2& textureExtent);
    // On a model loaded from a file.
    GUIButton(MessageManager* log, ShaderManager* shaderManager, ModelManager* modelManager,
              GUIFontManager* fontManager, GUITextManager* textManager, GUISoundManager* soundManager,
              Camera* guiCamera, std::uint32_t flags, const Vector2& position, const Vector2& size,
              const std::string& modelFileName, GUIWindow* parent);
    // On a copy of the model, or without a model.
    GUIButton(MessageManager* log, ShaderManager* shaderManager, ModelManager* modelManager,
              GUIFontManager* fontManager, GUITextManager* textManager, GUISoundManager* soundManager,
              Camera* guiCamera, std::uint32_t flags, const Vector2& position, const Vector2& size,
              const Model* model, GUIWindow* parent);
    ~GUIButton() override;

    bool Update(const Vector2& cursor, bool held, bool pressed) override;
    bool Render() override;
    void UpdateVisibility() override;
    // Only a change of the enabled state resets the look.
    virtual void SetEnabled(bool enable);
    virtual std::uint32_t GetFrame() const;

    bool IsEnabled() const { return state != StateDisabled; }

protected:
    GUISoundManager* soundManager;

public:
    // Read and written by screens and by the sliders that own buttons.
    std::uint32_t state = StateNormal;
    // A press started over the button and the mouse button is still held.
    bool tracking = false;
    // Starts set so that a button made under a resting cursor stays quiet.
    bool previousHover = true;
    // Set for the one update in which the press ended over the button.
    bool clicked = false;
    std::uint32_t hoverEvent = 0;
    std::uint32_t pressEvent = 1;

protected:
    void PlayEvent(std::uint32_t event) const;
};

} // namespace OrvaneEngine
