#pragma once

#include "engine/core/Matrix4.h"

#include <cstdint>

namespace OrvaneEngine
{
class Engine;
class GUIButton;
class GUIManager;
class GUIWindow;
class Model;
} // namespace OrvaneEngine

namespace GameTools
{
class GUIDoubleClickDetecter;
}

namespace Mirabel
{

class GameData;

// One marker of the stage map, standing for a level position: its model
// with a drop shadow, its state shown by the model's frame, and an unseen
// button for hovering, clicking and double-clicking it.
class GUIMapElement
{
public:
    enum State : std::uint32_t
    {
        StateOpen = 0,
        StatePassed = 1,
        StateHighlighted = 2,
        StateCurrent = 3,
        StateUnavailable = 4,
    };
    static constexpr std::uint32_t ShadowFrame = 5;

    GUIMapElement(OrvaneEngine::Engine* engine, GameData* gameData, GameTools::GUIDoubleClickDetecter* detecter,
                  std::uint32_t type, const OrvaneEngine::Matrix4& matrix, std::uint32_t stage, std::uint32_t index,
                  OrvaneEngine::GUIWindow* parent);
    ~GUIMapElement();
    GUIMapElement(const GUIMapElement&) = delete;
    GUIMapElement& operator=(const GUIMapElement&) = delete;

    void SetState(std::uint32_t state);
    // Showing the marker also unlocks it.
    void SetVisible(bool visible);
    void SetAlpha(float alpha);
    void Lock();
    void UpdateHighlight(bool hoverAllowed);
    // For path markers: the look of a check point while the marker is current.
    void SetCheckPointModel(bool on);
    bool IsVisible() const;
    bool IsClicked() const;
    bool IsDoubleClicked() const;

    std::uint32_t type;
    std::uint32_t stage;
    std::uint32_t index;
    std::uint32_t state = StateOpen;
    bool highlighted = false;
    bool locked = false;
    bool checkPointLook = false;

    OrvaneEngine::GUIWindow* modelWindow = nullptr;
    OrvaneEngine::GUIWindow* shadowWindow = nullptr;
    OrvaneEngine::GUIButton* button = nullptr;

private:
    const OrvaneEngine::Model* ModelOfType() const;
    void CreateWindows(const OrvaneEngine::Model* model);
    OrvaneEngine::GUIWindow* CreateModelWindow(const OrvaneEngine::Model* model, const OrvaneEngine::Matrix4& matrix,
                                               std::int32_t level);

    OrvaneEngine::GUIManager* guiManager;
    GameData* gameData;
    GameTools::GUIDoubleClickDetecter* detecter;
    OrvaneEngine::GUIWindow* parent;
    OrvaneEngine::Matrix4 matrix;
};

} // namespace Mirabel
