#pragma once

#include "engine/core/Color.h"
#include "engine/core/Vector2.h"

#include <cstdint>

namespace OrvaneEngine
{
class Engine;
class GUIButton;
class GUICheckBox;
class GUIEditBox;
class GUIFontManager;
class GUIManager;
class GUIScroll;
class GUITextManager;
class GUIWindow;
class Model;
class ModelManager;
} // namespace OrvaneEngine

namespace Mirabel
{

class GameData;

// One element of a menu screen built from models authored where it belongs:
// a picture, a button, a scroll bar, a check box or the name edit box. With
// an animation model of several frames it plays that model's appear
// animation first and then shows the widget where the animation ended;
// closing plays it backwards. Without one it follows its menu window's fade.
class GUIControl
{
public:
    enum Kind : std::uint32_t
    {
        Picture = 0,
        Button = 1,
        ScrollHorizontal = 2,
        ScrollVertical = 3,
        CheckBox = 4,
        EditBox = 5,
    };
    static constexpr float DefaultSpeed = 32.0f;

    GUIControl(OrvaneEngine::Engine* engine, GameData* gameData, std::uint32_t kind,
               const OrvaneEngine::Model* animationModel, const OrvaneEngine::Model* widgetModel,
               const OrvaneEngine::Model* hitAreaModel, const OrvaneEngine::Model* textAreaModel,
               OrvaneEngine::GUIWindow* parent);
    virtual ~GUIControl();
    GUIControl(const GUIControl&) = delete;
    GUIControl& operator=(const GUIControl&) = delete;

    void Appear();
    void Disappear();
    // After the menu window has set the colour.
    void Update();
    bool IsAppearing() const;
    bool IsVisible() const;
    void SetAnimationSpeed(float framesPerSecond);

    // The lower-left corner and the size of the model's world box.
    static OrvaneEngine::Vector2 GetModelPosition(const OrvaneEngine::Model* model);
    static OrvaneEngine::Vector2 GetModelSize(const OrvaneEngine::Model* model);

    // Read by the screens.
    std::uint32_t kind;
    OrvaneEngine::GUIWindow* animationWindow = nullptr; // the widget itself for a picture
    OrvaneEngine::GUIWindow* widget = nullptr;
    OrvaneEngine::GUIButton* button = nullptr;
    OrvaneEngine::GUIScroll* scroll = nullptr;
    OrvaneEngine::GUICheckBox* checkBox = nullptr;
    OrvaneEngine::GUIEditBox* editBox = nullptr;
    OrvaneEngine::Vector2 offset{0.0f, 0.0f};
    // Each frame the menu window copies its colour here.
    OrvaneEngine::Color color{1.0f, 1.0f, 1.0f, 1.0f};
    // The main-menu buttons stay visible and ride along with their animation.
    std::uint8_t keepWithModel = 0;
    // A disabled control ignores Appear, Disappear and Update.
    std::uint8_t enabled = 1;

private:
    void CreateScroll(const OrvaneEngine::Model* widgetModel, OrvaneEngine::GUIWindow* parent);
    void CreateEditBox(const OrvaneEngine::Model* widgetModel, OrvaneEngine::GUIWindow* parent);
    const OrvaneEngine::Model* AnimationModel() const;

    OrvaneEngine::Engine* engine;
    OrvaneEngine::ModelManager* modelManager;
    OrvaneEngine::GUIManager* guiManager;
    OrvaneEngine::GUIFontManager* fontManager;
    OrvaneEngine::GUITextManager* textManager;
    GameData* gameData;
};

} // namespace Mirabel
