#include "game/Bonus.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "game/BonusRules.h"
#include "game/CentredModel.h"
#include "game/GameData.h"

namespace Mirabel
{

OrvaneEngine::Model* Bonus::SymbolModel(const GameData& gameData, std::uint32_t type)
{
    switch (type)
    {
    case BonusMagnet:
        return gameData.bonusMagnet;
    case BonusPause:
        return gameData.bonusPause;
    case BonusRollBack:
        return gameData.bonusRollback;
    default:
        return gameData.bonusTip;
    }
}

Bonus::Bonus(OrvaneEngine::Engine* engine_, GameData* gameData_, std::uint32_t type_, std::uint32_t pieceIndex_,
             const OrvaneEngine::Vector2& position_, OrvaneEngine::GUIWindow* parent)
    : engine(engine_), guiManager(engine_->guiManager.get()), timerManager(engine_->timerManager.get()),
      gameData(gameData_), type(type_), pieceIndex(pieceIndex_), position(position_)
{
    window = guiManager->CreateWindow(OrvaneEngine::GUIWindow::FlagShown | OrvaneEngine::GUIWindow::FlagColored,
                                      OrvaneEngine::Vector2(0.0f, 0.0f), OrvaneEngine::Vector2(1.0f, 1.0f),
                                      SymbolModel(*gameData, type), parent);
    window->SetLevel(1);
    window->autoFit = false;
    model = window->model;
    if (model != nullptr)
    {
        base = CentredBase(*model);
        model->SetColor(OrvaneEngine::Color(1.0f, 1.0f, 1.0f, 0.0f));
        PlaceCentred(*model, base, position, 1.0f);
    }
}

Bonus::~Bonus()
{
    guiManager->ReleaseWindow(window);
}

void Bonus::Update(float fade)
{
    phaseTime += timerManager->frameTime * fade;
    const BonusLook look = BonusSymbolLook(phaseTime, vanishing);
    alive = look.alive;
    if (model == nullptr)
        return;
    model->SetColor(OrvaneEngine::Color(1.0f, 1.0f, 1.0f, look.alpha));
    PlaceCentred(*model, base, position, look.scale);
}

void Bonus::StartVanish()
{
    phaseTime = 0.0f;
    vanishing = true;
}

} // namespace Mirabel
