#include "framework/GUIGameOverWindowBase.h"

namespace GameFramework
{

GUIGameOverWindowBase::GUIGameOverWindowBase(OrvaneEngine::Engine* engineIn)
    : engine(engineIn)
{
}

GUIGameOverWindowBase::~GUIGameOverWindowBase() = default;

void GUIGameOverWindowBase::Update()
{
    result = 0;
}

void GUIGameOverWindowBase::Show()
{
}

void GUIGameOverWindowBase::Hide()
{
}

} // namespace GameFramework
