#include "game/menus/GUIGameLogicTextManager.h"

#include "engine/core/Engine.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "game/menus/GUIGameLogicText.h"

#include <algorithm>

namespace Mirabel
{

GUIGameLogicTextManager::GUIGameLogicTextManager(OrvaneEngine::Engine* engine, OrvaneEngine::GUIWindow* parent)
    : engine(engine),
      guiManager(engine->guiManager.get()),
      window(guiManager->CreateWindow(OrvaneEngine::GUIWindow::FlagShown, OrvaneEngine::Vector2(0.0f, 0.0f),
                                      OrvaneEngine::Vector2(0.0f, 0.0f), nullptr, parent))
{
    window->SetLevel(ContainerLevel);
}

GUIGameLogicTextManager::~GUIGameLogicTextManager()
{
    texts.clear();
    guiManager->ReleaseWindow(window);
}

void GUIGameLogicTextManager::AddText(const std::u16string& text, const OrvaneEngine::Vector2& position)
{
    texts.push_back(std::make_unique<GUIGameLogicText>(engine, position, text, window));
}

void GUIGameLogicTextManager::Update()
{
    for (auto& text : texts)
    {
        text->Update();
        if (!text->IsAlive())
            text.reset();
    }
    std::erase(texts, nullptr);
}

} // namespace Mirabel
