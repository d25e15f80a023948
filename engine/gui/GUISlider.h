#pragma once

#include "engine/gui/GUIWindow.h"

#include <cstdint>
#include <string>

namespace OrvaneEngine
{

class GUIButton;
class GUISoundManager;

// A window holding a discrete position 0..count-1, shown by a thumb that the
// player drags along a straight track. The thumb is a button owned by the
// slider and not registered with the manager: the slider drives it.
class GUISlider : public GUIWindow
{
public:
    static constexpr std::uint32_t StateNormal = 0;
    static constexpr std::uint32_t StateHover = 1;
    static constexpr std::uint32_t StateDisabled = 2;

    // Orientation 0 follows x, any other value y. The track ends are the
    // thumb's lower-left corner at the first and the last position.
    GUISlider(MessageManager* log, ShaderManager* shaderManager, ModelManager* modelManager,
              GUIFontManager* fontManager, GUITextManager* textManager, GUISoundManager* soundManager,
              Camera* guiCamera, std::uint32_t flags, const Vector2& position, const Vector2& size,
              const Model* model, std::uint32_t orientation, const Vector2& trackStart, const Vector2& trackEnd,
              std::uint32_t positionCount, GUIWindow* parent);
    ~GUISlider() override;

    bool Update(const Vector2& cursor, bool held, bool pressed) override;
    bool Render() override;
    void SetColor(const Color& color) override;
    void UpdateVisibility() override;

    // Each replaces the thumb. Its rectangle spans the whole track plus one
    // thumb, so a press anywhere on the track grabs it.
    virtual void SetThumbFromFile(const Vector2& thumbSize, const std::string& modelFileName);
    virtual void SetThumb(const Vector2& thumbSize, const Model* model);
    virtual void SetTexturedThumb(const Vector2& thumbSize, const ShaderDescriptor* descriptor,
                                  const Vector2& textureExtent);
    virtual void SetEnabled(bool enable);
    virtual bool IsDragging() const;

    void SetPosition(std::uint32_t position);
    void SetPositionCount(std::uint32_t count);
    std::uint32_t GetPosition() const { return sliderPosition; }
    std::uint32_t GetPositionCount() const { return positionCount; }
    bool IsEnabled() const { return state != StateDisabled; }
    GUIButton* GetThumb() const { return thumb; }

    // The position the cursor picks on the track: the thumb's centre follows
    // it and snaps to the nearest position, halves going up.
    std::uint32_t PositionAt(const Vector2& cursor) const;

protected:
    GUISoundManager* soundManager;
    Camera* guiCamera;

public:
    // Read and written by screens.
    std::uint32_t state = StateNormal;
    std::uint32_t orientation = 0;
    Vector2 trackStart{0.0f, 0.0f};
    Vector2 trackEnd{0.0f, 0.0f};
    Vector2 thumbSize{0.0f, 0.0f};
    // The last position lies at the track start.
    bool reversed = false;
    std::uint32_t positionCount = 2;
    std::uint32_t sliderPosition = 0;

protected:
    // Replaces the thumb by the given button and sets it up as one.
    void AdoptThumb(GUIButton* created);
    std::uint32_t ChildFlags() const;
    Vector2 ThumbRectSize() const;

    GUIButton* thumb = nullptr;
};

} // namespace OrvaneEngine
