#include "framework/GUIGameLogicMenuExitWindowBase.h"

namespace GameFramework
{

GUIGameLogicMenuExitWindowBase::GUIGameLogicMenuExitWindowBase(OrvaneEngine::Engine* engineIn)
    : engine(engineIn)
{
}

GUIGameLogicMenuExitWindowBase::~GUIGameLogicMenuExitWindowBase() = default;

void GUIGameLogicMenuExitWindowBase::Update()
{
    result = 0;
}

void GUIGameLogicMenuExitWindowBase::Show()
{
}

void GUIGameLogicMenuExitWindowBase::Hide()
{
}

} // namespace GameFramework
