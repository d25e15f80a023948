#include "game/BonusManager.h"

#include "engine/core/Engine.h"
#include "engine/core/StringFunctions.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "game/Bonus.h"
#include "game/BonusRules.h"
#include "game/PuzzleDepository.h"
#include "tools/RandomSelecter.h"

namespace Mirabel
{

BonusManager::BonusManager(OrvaneEngine::Engine* engine_, GameData* gameData_, PuzzleDepository* track_, bool relax_,
                           OrvaneEngine::GUIWindow* container)
    : engine(engine_), guiManager(engine_->guiManager.get()), gameData(gameData_), track(track_), relax(relax_)
{
    window = guiManager->CreateWindow(OrvaneEngine::GUIWindow::FlagShown, OrvaneEngine::Vector2(0.0f, 0.0f),
                                      OrvaneEngine::Vector2(0.0f, 0.0f), nullptr, container);
    window->SetLevel(100);
}

BonusManager::~BonusManager()
{
    OrvaneEngine::DeleteAllAndClear(bonuses);
    guiManager->ReleaseWindow(window);
}

Bonus* BonusManager::FindBonus(std::uint32_t pieceIndex) const
{
    for (Bonus* bonus : bonuses)
    {
        if (bonus->GetPieceIndex() == pieceIndex)
            return bonus;
    }
    return nullptr;
}

std::uint32_t BonusManager::ChooseType() const
{
    GameTools::RandomSelecter selecter;
    const BonusWeights weights = BonusTypeWeights(track->GetFreeRatio());
    selecter.Add(BonusTip, weights.tip);
    selecter.Add(BonusMagnet, weights.magnet);
    if (!relax)
    {
        selecter.Add(BonusPause, weights.pause);
        selecter.Add(BonusRollBack, weights.rollBack);
    }
    return selecter.Select();
}

void BonusManager::CreateBonus(std::uint32_t pieceIndex, const OrvaneEngine::Vector2& position)
{
    bonuses.push_back(new Bonus(engine, gameData, ChooseType(), pieceIndex, position, window));
}

void BonusManager::Update(bool /*paused*/, float fade)
{
    for (Bonus*& bonus : bonuses)
    {
        bonus->Update(fade);
        if (!bonus->IsAlive())
        {
            delete bonus;
            bonus = nullptr;
        }
    }
    OrvaneEngine::RemoveNullPointers(bonuses);
}

} // namespace Mirabel
