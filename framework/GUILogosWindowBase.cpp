#include "framework/GUILogosWindowBase.h"

#include "engine/core/Engine.h"

namespace GameFramework
{

GUILogosWindowBase::GUILogosWindowBase(OrvaneEngine::Engine* engineIn)
    : engine(engineIn), messageManager(engineIn->messageManager.get()), timerManager(engineIn->timerManager.get())
{
}

GUILogosWindowBase::~GUILogosWindowBase() = default;

void GUILogosWindowBase::Update()
{
    result = 0;
}

void GUILogosWindowBase::Show()
{
}

void GUILogosWindowBase::Hide()
{
}

} // namespace GameFramework
