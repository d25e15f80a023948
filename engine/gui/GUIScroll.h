#pragma once

#include "engine/gui/GUISlider.h"

namespace OrvaneEngine
{

class TimerManager;

// A slider with two step buttons that move the position by a step: once at
// the press, then every RepeatInterval while the button stays held with the
// cursor on it.
class GUIScroll : public GUISlider
{
public:
    static constexpr float RepeatInterval = 0.15f;

    GUIScroll(MessageManager* log, ShaderManager* shaderManager, ModelManager* modelManager,
              GUIFontManager* fontManager, GUITextManager* textManager, GUISoundManager* soundManager,
              TimerManager* timers, Camera* guiCamera, std::uint32_t flags, const Vector2& position,
              const Vector2& size, const Model* model, std::uint32_t orientation, const Vector2& trackStart,
              const Vector2& trackEnd, std::uint32_t positionCount, GUIWindow* parent);
    // The step buttons go first, then the slider's thumb.
    ~GUIScroll() override;

    bool Update(const Vector2& cursor, bool held, bool pressed) override;
    bool Render() override;
    void SetColor(const Color& color) override;
    void SetThumbFromFile(const Vector2& thumbSize, const std::string& modelFileName) override;
    void SetThumb(const Vector2& thumbSize, const Model* model) override;
    void SetTexturedThumb(const Vector2& thumbSize, const ShaderDescriptor* descriptor,
                          const Vector2& textureExtent) override;
    void SetEnabled(bool enable) override;
    bool IsDragging() const override;

    void SetIncreaseButton(const Vector2& position, const Vector2& size, const Model* model);
    void SetDecreaseButton(const Vector2& position, const Vector2& size, const Model* model);
    GUIButton* GetIncreaseButton() const { return increaseButton; }
    GUIButton* GetDecreaseButton() const { return decreaseButton; }

private:
    GUIButton* MakeStepButton(const Vector2& position, const Vector2& size, const Model* model);
    void SetUpThumb();

    TimerManager* timers;
    GUIButton* increaseButton = nullptr;
    GUIButton* decreaseButton = nullptr;

public:
    std::uint32_t step = 1;
    // Negative while waiting for the next repeat.
    float repeatTime = 0.0f;
};

} // namespace OrvaneEngine
