#include "game/menus/GUIMenuWindowManager.h"

#include "game/menus/GUIBackgroundWindow.h"

namespace Mirabel
{

GUIMenuWindowManager::GUIMenuWindowManager(GUIBackgroundWindow* background) : background(background) {}

GUIMenuWindowManager::~GUIMenuWindowManager() = default;

void GUIMenuWindowManager::Update()
{
    if (!background->IsMenuReady())
        return;
    tokenFree = 1;
    background->AcknowledgeMenuReady();
}

void GUIMenuWindowManager::HideLogos() { background->HideLogos(); }
void GUIMenuWindowManager::ClearTextAreaShown() { background->ClearTextAreaShown(); }
bool GUIMenuWindowManager::IsTextAreaShown() const { return background->IsTextAreaShown(); }
bool GUIMenuWindowManager::IsTextAreaBusy() const { return background->IsTextAreaBusy(); }
void GUIMenuWindowManager::SetTextAreaVisible(bool visible) { background->SetTextAreaVisible(visible); }
bool GUIMenuWindowManager::IsTextAreaHidden() const { return background->IsTextAreaHidden(); }
bool GUIMenuWindowManager::IsTextPrinted() const { return background->IsTextPrinted(); }
void GUIMenuWindowManager::UpdateReachedStages() { background->UpdateReachedStages(); }
bool GUIMenuWindowManager::IsFadeFinished() const { return background->IsFadeFinished(); }
void GUIMenuWindowManager::StartFadeOut() { background->StartFadeOut(); }
void GUIMenuWindowManager::StartFadeIn() { background->StartFadeIn(); }
void GUIMenuWindowManager::ClearText() { background->ClearText(); }
void GUIMenuWindowManager::SetText(const std::u16string& text) { background->SetText(text); }
void GUIMenuWindowManager::SetTextKey(const std::string& key) { background->SetTextKey(key); }

} // namespace Mirabel
