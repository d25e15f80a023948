#include "game/MiniGameCell.h"

#include "engine/core/Controls.h"
#include "engine/core/Engine.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderUser.h"
#include "framework/SoundController.h"
#include "game/GameData.h"

#include <algorithm>
#include <cmath>

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

constexpr std::uint32_t ShownColoured = GUIWindow::FlagShown | GUIWindow::FlagColored;
// Per direction, the normals of the two planes through the centre that
// bound its sector.
constexpr float SectorNormals[4][2][2] = {
    {{-1.0f, -1.0f}, {1.0f, -1.0f}},
    {{-1.0f, -1.0f}, {-1.0f, 1.0f}},
    {{1.0f, 1.0f}, {-1.0f, 1.0f}},
    {{1.0f, 1.0f}, {1.0f, -1.0f}},
};
// Where each arrow sits: towards the edge on which the cursor uses it.
constexpr float ArrowOffsets[4][2] = {{0.0f, -1.0f}, {-1.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 0.0f}};
constexpr float ArrowInset = 10.0f;
// Against bleeding from the neighbouring cells' part of the picture.
constexpr float CellShrink = 0.99f;
constexpr float CellMargin = 0.005f;
constexpr float MiddleShare = 0.1f;

Matrix4 Translation(float x, float y, float z)
{
    Matrix4 matrix;
    Matrix4::Translation(matrix, Vector3(x, y, z));
    return matrix;
}

void Place(Model* model, const Matrix4& matrix)
{
    model->worldMatrix = matrix;
    model->boundingVolume.SetMatrix(matrix);
}

float Clamp01(float value) { return std::clamp(value, 0.0f, 1.0f); }

} // namespace

std::uint32_t MiniGameCell::Flip(std::uint32_t state, std::uint32_t direction)
{
    const std::uint32_t bit = direction == Up || direction == Down ? 1u : 2u;
    return (state ^ bit) & 3u;
}

std::int32_t MiniGameCell::Sector(const Vector2& d, const Vector2& hitSize)
{
    if (d.Length() <= Vector2(MiddleShare * hitSize.x, MiddleShare * hitSize.y).Length())
        return NoSector;
    for (std::int32_t direction = 0; direction < 4; ++direction)
    {
        const auto& planes = SectorNormals[direction];
        if (planes[0][0] * d.x + planes[0][1] * d.y > 0.0f && planes[1][0] * d.x + planes[1][1] * d.y > 0.0f)
            return direction;
    }
    return NoSector;
}

Vector2 MiniGameCell::RestAngles(std::uint32_t state)
{
    return Vector2((state & 1u) != 0 ? Pi : 0.0f, (state & 2u) != 0 ? Pi : 0.0f);
}

MiniGameCell::MiniGameCell(Engine* engine, GameFramework::SoundController* soundController, GameData* gameData,
                           std::uint32_t gridSize, std::uint32_t xIndex, std::uint32_t yIndex,
                           const Vector2& areaPosition, const Vector2& areaSize, ShaderUser* pictureShader,
                           GUIWindow* parent)
    : xIndex(xIndex),
      yIndex(yIndex),
      timerManager(engine->timerManager.get()),
      controls(engine->controls.get()),
      guiManager(engine->guiManager.get()),
      soundController(soundController),
      gameData(gameData)
{
    const Vector2 origin(0.0f, 0.0f);
    const Vector2 unit(1.0f, 1.0f);
    borderWindow = guiManager->CreateWindow(ShownColoured, origin, unit, gameData->cellBorder, parent);
    topWindow = guiManager->CreateWindow(ShownColoured, origin, unit, gameData->cellTop, parent);
    bottomWindow = guiManager->CreateWindow(ShownColoured, origin, unit, gameData->cellBottom, parent);
    windows = {borderWindow, topWindow, bottomWindow};
    if (pictureShader != nullptr)
    {
        topWindow->SetShader(*pictureShader);
        bottomWindow->SetShader(*pictureShader);
    }
    borderWindow->SetLevel(2);
    for (GUIWindow* window : windows)
    {
        window->autoFit = false;
        if (window->model != nullptr)
        {
            window->model->SetFlags(Model::FlagDepthTest | Model::FlagTwoPass);
            window->model->ClearFlags(Model::FlagNoDepthWrite);
        }
    }

    const float n = static_cast<float>(std::max(gridSize, 1u));
    const float c = areaSize.x / n;
    centre = Vector2(areaPosition.x + (static_cast<float>(xIndex) + 0.5f) * c,
                     areaPosition.y + (static_cast<float>(yIndex) + 0.5f) * c);
    cellSize = Vector2(c, c);
    angles = RestAngles(0);
    startAngles = angles;

    // The border model sets the cell's measure: its box is scaled to the cell.
    Vector3 half(0.0f, 0.0f, 0.0f);
    if (Model* border = borderWindow->model)
    {
        Place(border, border->baseMatrix);
        const Vector3 boxCentre = border->boundingVolume.center;
        const float halfWidth = border->boundingVolume.halfExtents.x;
        const float scale = halfWidth > 0.0f ? c / (2.0f * halfWidth) : 1.0f;
        const Matrix4 base = Matrix4::MakeScaling(Vector3(scale, scale, scale))
                                 .Multiply(Translation(-boxCentre.x, -boxCentre.y, -boxCentre.z))
                                 .Multiply(border->baseMatrix);
        for (GUIWindow* window : windows)
        {
            if (window->model == nullptr)
                continue;
            window->model->baseMatrix = base;
            Place(window->model, base);
        }
        half = border->boundingVolume.halfExtents;
    }

    // Each face shows its own part of the picture.
    for (GUIWindow* window : {topWindow, bottomWindow})
    {
        if (ShaderUser* user = window->GetShaderUser())
        {
            ShaderStage& stage = user->stages[0];
            stage.scaleU = CellShrink / n * PictureExtent;
            stage.scaleV = CellShrink / n * PictureExtent;
            stage.offsetU = (static_cast<float>(xIndex) + CellMargin) / n * PictureExtent;
            stage.offsetV = (static_cast<float>(yIndex) + CellMargin) / n * PictureExtent;
        }
    }

    const Model* arrowModels[4] = {gameData->arrowUp, gameData->arrowRight, gameData->arrowDown, gameData->arrowLeft};
    for (std::uint32_t k = 0; k < 4; ++k)
    {
        GUIWindow* arrow = guiManager->CreateWindow(ShownColoured, origin, origin, arrowModels[k], parent);
        arrow->SetLevel(3);
        arrow->autoFit = false;
        arrow->SetColor(Color(1.0f, 1.0f, 1.0f, 0.0f));
        arrowAlphas[k] = 0.0f;
        if (Model* model = arrow->model)
        {
            Place(model, model->baseMatrix);
            const Vector3 arrowCentre = model->boundingVolume.center;
            const Matrix4 placed =
                Translation(centre.x + ArrowOffsets[k][0] * (half.x - ArrowInset),
                            centre.y + ArrowOffsets[k][1] * (half.y - ArrowInset), 0.0f)
                    .Multiply(Translation(-arrowCentre.x, -arrowCentre.y, -arrowCentre.z))
                    .Multiply(model->baseMatrix);
            Place(model, placed);
        }
        arrowWindows[k] = arrow;
    }

    lastDirection = Up;
    const float inner = c - 1.0f;
    hitWindow = guiManager->CreateWindow(GUIWindow::FlagShown,
                                         Vector2(centre.x - inner / 2.0f, centre.y - inner / 2.0f),
                                         Vector2(inner, inner), nullptr, parent);
    PlaceModels();
}

MiniGameCell::~MiniGameCell()
{
    for (GUIWindow* window : windows)
        guiManager->ReleaseWindow(window);
    for (GUIWindow* arrow : arrowWindows)
        guiManager->ReleaseWindow(arrow);
    guiManager->ReleaseWindow(hitWindow);
}

void MiniGameCell::Reset() { active = false; }

bool MiniGameCell::InputPossible() const
{
    return scrambleFlipsLeft == 0 && hitWindow->hovered && flipState != 0 && shownState == flipState && active;
}

void MiniGameCell::StartTurn(std::uint32_t direction)
{
    lastDirection = direction;
    shownState = flipState;
    flipState = Flip(flipState, direction);
    soundController->PlaySound(SoundFlip);
}

void MiniGameCell::FadeArrows(std::int32_t sector, float dt)
{
    for (std::int32_t k = 0; k < 4; ++k)
    {
        const float change = k == sector ? ArrowFade * dt : -ArrowFade * dt;
        arrowAlphas[k] = Clamp01(arrowAlphas[k] + change);
    }
}

void MiniGameCell::Update(const Color& frameColor)
{
    const float dt = timerManager->frameTime;
    const Vector2 cursor = guiManager->GetCursorPosition();
    const Vector2 hitCorner = hitWindow->GetAbsolutePosition();
    const Vector2 hitCentre(hitCorner.x + hitWindow->size.x / 2.0f, hitCorner.y + hitWindow->size.y / 2.0f);

    if (InputPossible())
    {
        const std::int32_t sector = Sector(Vector2(cursor.x - hitCentre.x, cursor.y - hitCentre.y), hitWindow->size);
        FadeArrows(sector, dt);
        if (sector != NoSector && controls->IsKeyPressed("MOUSE1"))
        {
            StartTurn(static_cast<std::uint32_t>(sector));
            ++clicks;
        }
    }
    else
        FadeArrows(NoSector, dt);

    for (std::uint32_t k = 0; k < 4; ++k)
        arrowWindows[k]->SetColor(Color(frameColor.r, frameColor.g, frameColor.b, arrowAlphas[k] * frameColor.a));

    scrambleTimer += dt;
    if (scrambleFlipsLeft > 0 && shownState == flipState && scrambleTimer > ScrambleDelay)
    {
        StartTurn(static_cast<std::uint32_t>(RandomInt(0, 3)));
        --scrambleFlipsLeft;
    }

    if (flipState != shownState)
        Turn(dt);
    if (flipState == shownState)
    {
        angles = RestAngles(flipState);
        startAngles = angles;
    }
    PlaceModels();

    for (GUIWindow* window : {topWindow, bottomWindow})
        window->SetColor(frameColor);
    const bool restsUpright = flipState == 0 && shownState == 0;
    borderWindow->SetColor(restsUpright ? Color(1.0f, 1.0f, 1.0f, 0.0f) : frameColor);
}

void MiniGameCell::Turn(float dt)
{
    const float step = TurnSpeed * dt;
    if (((flipState ^ shownState) & 1u) != 0)
    {
        // Between 2 and 3 the cell lies turned about y, so up turns the other way.
        float sign = lastDirection == Down ? -1.0f : 1.0f;
        if ((shownState & 2u) != 0)
            sign = -sign;
        angles.x += sign * step;
    }
    else
        angles.y += lastDirection == Right ? -step : step;
    if (std::fabs(angles.x - startAngles.x) > Pi || std::fabs(angles.y - startAngles.y) > Pi)
        shownState = flipState;
}

void MiniGameCell::PlaceModels()
{
    Matrix4 aboutX;
    Matrix4 aboutY;
    Matrix4::RotationX(aboutX, angles.x);
    Matrix4::RotationY(aboutY, angles.y);
    const Matrix4 placing = Translation(centre.x, centre.y, 0.0f).Multiply(aboutY).Multiply(aboutX);
    for (GUIWindow* window : windows)
        if (window->model != nullptr)
            Place(window->model, placing.Multiply(window->model->baseMatrix));
}

} // namespace Mirabel
