#include "framework/GUIGameLogicRestartWindowBase.h"

namespace GameFramework
{

GUIGameLogicRestartWindowBase::GUIGameLogicRestartWindowBase(OrvaneEngine::Engine* engineIn)
    : engine(engineIn)
{
}

GUIGameLogicRestartWindowBase::~GUIGameLogicRestartWindowBase() = default;

void GUIGameLogicRestartWindowBase::Update()
{
    result = 0;
}

void GUIGameLogicRestartWindowBase::Show()
{
}

void GUIGameLogicRestartWindowBase::Hide()
{
}

} // namespace GameFramework
