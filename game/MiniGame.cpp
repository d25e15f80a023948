#include "game/MiniGame.h"

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "framework/SoundController.h"
#include "game/GameData.h"
#include "game/GameStageRecord.h"
#include "game/LevelManager.h"
#include "game/MiniGameCell.h"
#include "game/menus/GUIControl.h"

#include <algorithm>
#include <string>

namespace Mirabel
{

using namespace OrvaneEngine;

namespace
{

constexpr float Epsilon = 0.0001f;
constexpr float PictureFade = 2.0f;
constexpr float GrowTime = 0.85f;
constexpr float FlyTime = 2.2f;
constexpr float GrowMargin = 0.1f;
constexpr float TextFadeIn = 0.5f;
constexpr float TextFadeOut = 3.0f;
constexpr float TextEnd = 3.5f;
constexpr std::int32_t TextLines = 3;
constexpr float TextTop = 250.0f;
constexpr float TextLineStep = 28.0f;
const std::string TexturePrefix = "game_objects\\mini_game\\textures\\totem_";

const Vector2 PicturePosition(269.0f, 126.0f);
const Vector2 PictureSize(266.0f, 266.0f);

float Clamp01(float value) { return std::clamp(value, 0.0f, 1.0f); }

Vector2 Lerp(const Vector2& from, const Vector2& to, float t)
{
    return Vector2(from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t);
}

Matrix4 Translation(const Vector3& offset)
{
    Matrix4 matrix;
    Matrix4::Translation(matrix, offset);
    return matrix;
}

void Place(Model* model, const Matrix4& matrix)
{
    model->worldMatrix = matrix;
    model->boundingVolume.SetMatrix(matrix);
}

Color White(float alpha) { return Color(1.0f, 1.0f, 1.0f, alpha); }

} // namespace

MiniGame::MiniGame(Engine* engine, GameFramework::SoundController* soundController, LevelManager* levelManager,
                   GameData* gameData, GUIMenuWindowManager* menuWindowManager, GUIControl* frameControl)
    : engine(engine),
      controls(engine->controls.get()),
      guiManager(engine->guiManager.get()),
      timerManager(engine->timerManager.get()),
      shaderManager(engine->shaderManager.get()),
      soundController(soundController),
      levelManager(levelManager),
      gameData(gameData),
      menuWindowManager(menuWindowManager),
      frameControl(frameControl),
      parent(frameControl->widget)
{
    const Vector2 origin(0.0f, 0.0f);
    const Vector2 extent(MiniGameCell::PictureExtent, MiniGameCell::PictureExtent);
    const ShaderDescriptor plain = MakeDefaultShaderDescriptor();
    cellContainer = guiManager->CreateWindow(0, origin, origin, nullptr, parent);
    pictureWindow =
        guiManager->CreateTexturedWindow(GUIWindow::FlagColored, PicturePosition, PictureSize, &plain, parent, extent);
    pictureWindow->SetLevel(10);
    maskedWindow =
        guiManager->CreateTexturedWindow(GUIWindow::FlagColored, PicturePosition, PictureSize, &plain, parent, extent);
    maskedWindow->SetLevel(9);
    totemWindow = guiManager->CreateWindow(GUIWindow::FlagColored, origin, origin, gameData->controlsTotem, parent);
    totemWindow->autoFit = false;
    totemWindow->SetLevel(10);
}

MiniGame::~MiniGame()
{
    shaderManager->RemoveShaderUser(pictureShader);
    shaderManager->RemoveShaderUser(maskedShader);
    cells.clear();
    for (GUIWindow* window : {cellContainer, pictureWindow, maskedWindow, totemWindow})
        guiManager->ReleaseWindow(window);
}

void MiniGame::Start(std::uint32_t stage)
{
    const bool hasTotem = stage < gameData->totemModels.size() && gameData->totemModels[stage] != nullptr;
    const bool hasRecord = stage < levelManager->stages.size() &&
                           dynamic_cast<const GameStageRecord*>(levelManager->stages[stage].get()) != nullptr;
    if (!hasTotem || !hasRecord)
    {
        engine->messageManager->Error("MiniGame::Start: stage " + std::to_string(stage) + " has " +
                                      (hasTotem ? "no stage record" : "no totem") + ", no mini game is played");
        if (IsBuilt())
            TearDown();
        running = false;
        return;
    }

    completed = false;
    solved = false;
    running = true;
    stageIndex = stage;
    phaseTimer = 0.0f;
    textTimer = 0.0f;

    for (GUIWindow* window : {pictureWindow, maskedWindow, totemWindow})
        window->ClearFlags(GUIWindow::FlagShown);
    totemWindow->SetColor(White(0.0f));
    maskedWindow->position = pictureWindow->position;
    maskedWindow->size = pictureWindow->size;

    // The control totem lies over the map's totem of this stage, on the stage's frame.
    Model* model = totemWindow->model;
    if (model == nullptr)
        return;
    const BoundingVolume& mapBox = gameData->totemModels[stage]->boundingVolume;
    Place(model, model->baseMatrix);
    const Vector3 centre = model->boundingVolume.center;
    const float ownHalfWidth = model->boundingVolume.halfExtents.x;
    Place(model, Translation(Vector3(-centre.x, -centre.y, -centre.z)).Multiply(model->worldMatrix));
    const float ratio = ownHalfWidth > 0.0f ? mapBox.halfExtents.x / ownHalfWidth : 1.0f;
    Place(model, Matrix4::MakeScaling(Vector3(ratio, ratio, 1.0f)).Multiply(model->worldMatrix));
    const Vector3 half = model->boundingVolume.halfExtents;
    const Vector3 target(mapBox.worldMin.x + half.x, mapBox.worldMin.y + half.y, mapBox.worldMin.z + half.z);
    Place(model, Translation(target).Multiply(model->worldMatrix));
    if (AnimationControl* animation = model->GetAnimationControl())
    {
        animation->Stop();
        animation->speed = 0.0f;
        animation->time = 2.0f * static_cast<float>(stage);
    }
}

bool MiniGame::ShouldBuild() const
{
    if (pictureShader != nullptr)
        return false;
    // A frame without an appear animation never appears: it is ready once shown.
    const bool framePlays = frameControl->animationWindow != nullptr;
    return framePlays ? frameControl->IsAppearing() : parent->visible;
}

void MiniGame::Build()
{
    const std::string diffuse = TexturePrefix + std::to_string(stageIndex) + ".jpg";
    const std::string mask = TexturePrefix + std::to_string(stageIndex) + "_alpha.jpg";
    pictureShader = shaderManager->AddShaderUser(MakeShaderDescriptor(diffuse, "32bit", true));
    maskedShader = shaderManager->AddShaderUser(MakeShaderDescriptor(diffuse, mask, true));
    pictureWindow->SetShader(*pictureShader);
    maskedWindow->SetShader(*maskedShader);
    pictureWindow->ClearFlags(GUIWindow::FlagShown);
    pictureAlpha = 0.0f;
    pictureWindow->SetColor(White(pictureAlpha));
    maskedWindow->ClearFlags(GUIWindow::FlagShown);
    cellContainer->SetFlags(GUIWindow::FlagShown);

    const auto& record = static_cast<const GameStageRecord&>(*levelManager->stages[stageIndex]);
    const std::uint32_t n = record.gridSize;
    for (std::uint32_t x = 0; x < n; ++x)
        for (std::uint32_t y = 0; y < n; ++y)
            cells.push_back(std::make_unique<MiniGameCell>(engine, soundController, gameData, n, x, y,
                                                           pictureWindow->position, pictureWindow->size,
                                                           pictureShader, cellContainer));
}

void MiniGame::TearDown()
{
    shaderManager->RemoveShaderUser(pictureShader);
    shaderManager->RemoveShaderUser(maskedShader);
    pictureShader = nullptr;
    maskedShader = nullptr;
    cells.clear();
    // The two pictures' own users hold the totem textures too.
    const ShaderDescriptor plain = MakeDefaultShaderDescriptor();
    pictureWindow->SetShader(plain);
    maskedWindow->SetShader(plain);
}

void MiniGame::Update(const Color& frameColor)
{
    if (!running)
        return;
    if (!parent->visible)
    {
        if (IsBuilt())
        {
            TearDown();
            running = false;
        }
        return;
    }
    if (ShouldBuild())
        Build();
    if (solved)
        UpdateCompletion(frameColor);

    for (const auto& cell : cells)
        cell->Update(frameColor);
    if (!solved && IsBuilt() && IsWon())
    {
        solved = true;
        soundController->PlaySound(SoundComplete);
        for (const auto& cell : cells)
            cell->Reset();
    }
}

bool MiniGame::IsWon() const
{
    std::uint32_t clicks = 0;
    bool upright = true;
    for (const auto& cell : cells)
    {
        clicks += cell->clicks;
        upright = upright && cell->flipState == 0 && cell->shownState == 0 && cell->scrambleFlipsLeft == 0;
    }
    return upright || clicks > ClicksPerCell * static_cast<std::uint32_t>(cells.size());
}

void MiniGame::UpdateCompletion(const Color& frameColor)
{
    const float dt = timerManager->frameTime;
    if (cellContainer->visible)
    {
        pictureWindow->SetFlags(GUIWindow::FlagShown);
        pictureAlpha += PictureFade * dt;
        pictureWindow->SetColor(White(Clamp01(pictureAlpha)));
        if (pictureAlpha + Epsilon > 1.0f)
        {
            cellContainer->ClearFlags(GUIWindow::FlagShown);
            maskedWindow->SetFlags(GUIWindow::FlagShown);
            maskedWindow->SetColor(White(1.0f));
        }
        return;
    }
    if (pictureWindow->visible)
    {
        pictureAlpha = std::min(pictureAlpha, 1.0f) - PictureFade * dt;
        pictureWindow->SetColor(White(Clamp01(pictureAlpha)));
        if (pictureAlpha < 0.0f)
        {
            pictureWindow->ClearFlags(GUIWindow::FlagShown);
            phaseTimer = 0.0f;
        }
    }
    if (maskedWindow->visible)
    {
        phaseTimer += dt;
        FlyToTotem(frameColor);
    }
}

void MiniGame::FlyToTotem(const Color& frameColor)
{
    const Vector2 picturePosition = pictureWindow->position;
    const Vector2 pictureSize = pictureWindow->size;
    if (phaseTimer < GrowTime)
    {
        const float t = Clamp01(phaseTimer / GrowTime);
        const Vector2 grownPosition(picturePosition.x - GrowMargin * pictureSize.x,
                                    picturePosition.y - GrowMargin * pictureSize.y);
        const Vector2 grownSize((1.0f + 2.0f * GrowMargin) * pictureSize.x, (1.0f + 2.0f * GrowMargin) * pictureSize.y);
        maskedWindow->position = Lerp(maskedWindow->position, grownPosition, t);
        maskedWindow->size = Lerp(maskedWindow->size, grownSize, t);
        return;
    }

    const float t = Clamp01((phaseTimer - GrowTime) / FlyTime);
    const BoundingVolume& mapBox = gameData->totemModels[stageIndex]->boundingVolume;
    const Vector2 targetPosition(mapBox.worldMin.x, mapBox.worldMin.y);
    const Vector2 targetSize(2.0f * mapBox.halfExtents.x, 2.0f * mapBox.halfExtents.y);
    maskedWindow->position = Lerp(maskedWindow->position, targetPosition, t);
    maskedWindow->size = Lerp(maskedWindow->size, targetSize, t);
    maskedWindow->SetColor(White(1.0f - t));
    totemWindow->SetFlags(GUIWindow::FlagShown);
    totemWindow->SetColor(White(t));
    if (t + Epsilon <= 1.0f)
        return;

    textTimer += timerManager->frameTime;
    float alpha = 1.0f;
    if (textTimer < TextFadeIn)
        alpha = Clamp01(2.0f * textTimer);
    else if (textTimer > TextFadeOut)
        alpha = Clamp01(2.0f * (TextEnd - textTimer));
    alpha *= frameColor.a;
    const bool lastStage = levelManager->stages.size() == static_cast<std::size_t>(stageIndex) + 1;
    const std::string key = lastStage ? "MINI_GAME_GAME_COMPLETE_TEXT_" : "MINI_GAME_STAGE_COMPLETE_TEXT_";
    for (std::int32_t k = 0; k < TextLines; ++k)
        parent->AddTextByKey(1, 1, Vector2(0.0f, TextTop - TextLineStep * static_cast<float>(k)), White(alpha), key, k,
                             0.0f, -1.0f);
    if (textTimer > TextEnd)
    {
        completed = true;
        maskedWindow->ClearFlags(GUIWindow::FlagShown);
        totemWindow->ClearFlags(GUIWindow::FlagShown);
    }
}

} // namespace Mirabel
