#include "game/Carriage.h"

#include "engine/core/Engine.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "game/CentredModel.h"
#include "game/GameData.h"

namespace Mirabel
{

Carriage::Carriage(OrvaneEngine::Engine* engine_, GameData* gameData_, OrvaneEngine::GUIWindow* parent)
    : engine(engine_), guiManager(engine_->guiManager.get()), gameData(gameData_)
{
    window = guiManager->CreateWindow(OrvaneEngine::GUIWindow::FlagColored, OrvaneEngine::Vector2(0.0f, 0.0f),
                                      OrvaneEngine::Vector2(1.0f, 1.0f), gameData->carriage, parent);
    window->SetLevel(4);
    window->autoFit = false;
    model = window->model;
    if (model != nullptr)
    {
        base = CentredBase(*model);
        PlaceModel();
    }
}

Carriage::~Carriage()
{
    guiManager->ReleaseWindow(window);
}

void Carriage::SetPosition(const OrvaneEngine::Vector2& point)
{
    position = point;
    PlaceModel();
}

void Carriage::SetScale(float s)
{
    scale = s;
    PlaceModel();
}

void Carriage::SetAlpha(float alpha)
{
    window->SetColor(OrvaneEngine::Color(1.0f, 1.0f, 1.0f, alpha));
}

void Carriage::SetVisible(bool visible)
{
    if (visible)
        window->SetFlags(OrvaneEngine::GUIWindow::FlagShown);
    else
        window->ClearFlags(OrvaneEngine::GUIWindow::FlagShown);
}

bool Carriage::IsVisible() const
{
    return (window->flags & OrvaneEngine::GUIWindow::FlagShown) != 0;
}

void Carriage::PlaceModel()
{
    if (model != nullptr)
        PlaceCentred(*model, base, position, scale);
}

} // namespace Mirabel
