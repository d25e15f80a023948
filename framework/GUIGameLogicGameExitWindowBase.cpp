#include "framework/GUIGameLogicGameExitWindowBase.h"

namespace GameFramework
{

GUIGameLogicGameExitWindowBase::GUIGameLogicGameExitWindowBase(OrvaneEngine::Engine* engineIn)
    : engine(engineIn)
{
}

GUIGameLogicGameExitWindowBase::~GUIGameLogicGameExitWindowBase() = default;

void GUIGameLogicGameExitWindowBase::Update()
{
    result = 0;
}

void GUIGameLogicGameExitWindowBase::Show()
{
}

void GUIGameLogicGameExitWindowBase::Hide()
{
}

} // namespace GameFramework
