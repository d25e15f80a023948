#pragma once

#include "engine/core/Matrix4.h"
#include "engine/core/Vector2.h"

namespace OrvaneEngine
{
class Engine;
class GUIManager;
class GUIWindow;
class Model;
} // namespace OrvaneEngine

namespace Mirabel
{

class GameData;

// The cart that pushes the train once the supply of pieces is used up. Its
// model is centred on the carriage's point.
class Carriage
{
public:
    Carriage(OrvaneEngine::Engine* engine, GameData* gameData, OrvaneEngine::GUIWindow* parent);
    virtual ~Carriage();
    Carriage(const Carriage&) = delete;
    Carriage& operator=(const Carriage&) = delete;

    void SetPosition(const OrvaneEngine::Vector2& point);
    void SetScale(float s);
    void SetAlpha(float alpha);
    void SetVisible(bool visible);
    bool IsVisible() const;

    const OrvaneEngine::Vector2& GetPosition() const { return position; }
    float GetScale() const { return scale; }
    OrvaneEngine::GUIWindow* GetWindow() const { return window; }

private:
    void PlaceModel();

    OrvaneEngine::Engine* engine;
    OrvaneEngine::GUIManager* guiManager;
    GameData* gameData;
    OrvaneEngine::GUIWindow* window;
    OrvaneEngine::Model* model;
    float scale = 1.0f;
    OrvaneEngine::Vector2 position{0.0f, 0.0f};
    OrvaneEngine::Matrix4 base;
};

} // namespace Mirabel
