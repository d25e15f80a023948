#include "game/PuzzleElementManager.h"

#include "engine/core/Engine.h"
#include "engine/core/StringFunctions.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "game/GameLogicData.h"
#include "game/PieceRules.h"
#include "game/PuzzleElement.h"

namespace Mirabel
{

PuzzleElementManager::PuzzleElementManager(OrvaneEngine::Engine* engine_,
                                           GameFramework::SoundController* soundController_, GameData* gameData_,
                                           GameLogicData* levelData_, OrvaneEngine::GUIWindow* parent)
    : engine(engine_), guiManager(engine_->guiManager.get()), soundController(soundController_),
      gameData(gameData_), levelData(levelData_)
{
    window = guiManager->CreateWindow(OrvaneEngine::GUIWindow::FlagShown, OrvaneEngine::Vector2(0.0f, 0.0f),
                                      OrvaneEngine::Vector2(0.0f, 0.0f), nullptr, parent);
    window->SetLevel(210);
    const auto count = static_cast<std::uint32_t>(levelData->textureNames.size());
    std::vector<PuzzleElement*> made;
    made.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i)
        made.push_back(new PuzzleElement(engine, soundController, gameData, levelData, i, true, window));
    for (const std::uint32_t i : ShuffleOrder(count))
        pieces.push_back(made[i]);
}

PuzzleElementManager::~PuzzleElementManager()
{
    OrvaneEngine::DeleteAllAndClear(pieces);
    guiManager->ReleaseWindow(window);
}

void PuzzleElementManager::Update(bool paused, float fade)
{
    for (PuzzleElement* piece : pieces)
        piece->Update(paused, fade);
}

PuzzleElement* PuzzleElementManager::GetCarriedPiece() const
{
    for (PuzzleElement* piece : pieces)
    {
        if (piece->IsVisible() && piece->IsTaken())
            return piece;
    }
    return nullptr;
}

} // namespace Mirabel
