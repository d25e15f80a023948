#include "framework/GUIGameLogicPauseWindowBase.h"

namespace GameFramework
{

GUIGameLogicPauseWindowBase::GUIGameLogicPauseWindowBase(OrvaneEngine::Engine* engineIn)
    : engine(engineIn)
{
}

GUIGameLogicPauseWindowBase::~GUIGameLogicPauseWindowBase() = default;

void GUIGameLogicPauseWindowBase::Update()
{
    result = 0;
}

void GUIGameLogicPauseWindowBase::Show()
{
}

void GUIGameLogicPauseWindowBase::Hide()
{
}

} // namespace GameFramework
