#include "game/menus/GUIMapElement.h"

#include "engine/core/Engine.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "game/GameData.h"
#include "game/menus/GUIControl.h"
#include "game/menus/GUIModelFrame.h"
#include "game/menus/MapFile.h"
#include "tools/GUIDoubleClickDetecter.h"

namespace Mirabel
{

using namespace OrvaneEngine;

GUIMapElement::GUIMapElement(Engine* engine, GameData* gameDataIn, GameTools::GUIDoubleClickDetecter* detecterIn,
                             std::uint32_t typeIn, const Matrix4& matrixIn, std::uint32_t stageIn,
                             std::uint32_t indexIn, GUIWindow* parentIn)
    : type(typeIn), stage(stageIn), index(indexIn), guiManager(engine->guiManager.get()), gameData(gameDataIn),
      detecter(detecterIn), parent(parentIn), matrix(matrixIn)
{
    CreateWindows(ModelOfType());
    button = guiManager->CreateButton(0, GUIControl::GetModelPosition(modelWindow->model),
                                      GUIControl::GetModelSize(modelWindow->model), nullptr, modelWindow);
    detecter->AddWindow(button);
}

GUIMapElement::~GUIMapElement()
{
    detecter->RemoveWindow(button);
    guiManager->ReleaseWindow(button);
    guiManager->ReleaseWindow(shadowWindow);
    guiManager->ReleaseWindow(modelWindow);
}

const Model* GUIMapElement::ModelOfType() const
{
    switch (type)
    {
    case MapFile::TypeStart:
        return gameData->mapStart;
    case MapFile::TypeFinish:
        return gameData->mapFinish;
    case MapFile::TypeCheckPoint:
        return gameData->mapCheckPoint;
    default:
        return gameData->mapPath;
    }
}

GUIWindow* GUIMapElement::CreateModelWindow(const Model* model, const Matrix4& at, std::int32_t level)
{
    GUIWindow* window =
        guiManager->CreateWindow(GUIWindow::FlagColored, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f), model, parent);
    window->level = level;
    window->autoFit = false;
    if (window->model != nullptr)
    {
        window->model->worldMatrix = at;
        window->model->boundingVolume.SetMatrix(at);
    }
    return window;
}

void GUIMapElement::CreateWindows(const Model* model)
{
    modelWindow = CreateModelWindow(model, matrix, 2);
    Matrix4 shift;
    Matrix4::Translation(shift, Vector3(2.0f, -2.0f, 0.0f));
    shadowWindow = CreateModelWindow(model, shift.Multiply(matrix), 1);
    GUIModelFrame::Set(shadowWindow, ShadowFrame);
}

void GUIMapElement::SetState(std::uint32_t stateIn)
{
    state = stateIn;
    GUIModelFrame::Set(modelWindow, state);
    if (!locked)
        button->SetEnabled(state < StateUnavailable);
    if (state < StateUnavailable)
        SetAlpha(1.0f);
}

void GUIMapElement::SetVisible(bool visible)
{
    if (!visible)
    {
        modelWindow->ClearFlags(GUIWindow::FlagShown);
        shadowWindow->ClearFlags(GUIWindow::FlagShown);
        button->ClearFlags(GUIWindow::FlagShown);
        return;
    }
    modelWindow->SetFlags(GUIWindow::FlagShown);
    shadowWindow->SetFlags(GUIWindow::FlagShown);
    button->SetFlags(GUIWindow::FlagShown);
    locked = false;
    button->SetEnabled(true);
}

void GUIMapElement::SetAlpha(float alpha)
{
    const Color colour(1.0f, 1.0f, 1.0f, alpha);
    modelWindow->SetColor(colour);
    shadowWindow->SetColor(colour);
}

void GUIMapElement::Lock()
{
    locked = true;
    button->SetEnabled(false);
}

void GUIMapElement::UpdateHighlight(bool hoverAllowed)
{
    highlighted = false;
    if (state == StateCurrent || state == StateUnavailable)
        return;
    if (button->hovered && !locked && hoverAllowed)
    {
        GUIModelFrame::Set(modelWindow, StateHighlighted);
        highlighted = true;
    }
    else
        GUIModelFrame::Set(modelWindow, state);
}

void GUIMapElement::SetCheckPointModel(bool on)
{
    if (on != checkPointLook)
    {
        const bool shown = (modelWindow->flags & GUIWindow::FlagShown) != 0;
        const Color colour = modelWindow->GetColor();
        const Color shadowColour = shadowWindow->GetColor();
        // The button outlives the windows: a released parent would leave it a
        // root window, shown and clickable over every later screen.
        button->SetParent(parent);
        guiManager->ReleaseWindow(shadowWindow);
        guiManager->ReleaseWindow(modelWindow);
        CreateWindows(on ? gameData->mapPathCheckPoint : gameData->mapPath);
        button->SetParent(modelWindow);
        GUIModelFrame::Set(modelWindow, state);
        if (shown)
        {
            modelWindow->SetFlags(GUIWindow::FlagShown);
            shadowWindow->SetFlags(GUIWindow::FlagShown);
        }
        modelWindow->SetColor(colour);
        shadowWindow->SetColor(shadowColour);
    }
    checkPointLook = on;
}

bool GUIMapElement::IsVisible() const { return modelWindow->visible; }

bool GUIMapElement::IsClicked() const { return button->clicked; }

bool GUIMapElement::IsDoubleClicked() const
{
    return (!locked || state == StateCurrent) && state != StateUnavailable && detecter->IsDoubleClick() &&
           detecter->GetWindow() == button;
}

} // namespace Mirabel
