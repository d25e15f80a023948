#include "framework/GUIGameCompleteWindowBase.h"

namespace GameFramework
{

GUIGameCompleteWindowBase::GUIGameCompleteWindowBase(OrvaneEngine::Engine* engineIn)
    : engine(engineIn)
{
}

GUIGameCompleteWindowBase::~GUIGameCompleteWindowBase() = default;

void GUIGameCompleteWindowBase::Update()
{
    result = 0;
}

void GUIGameCompleteWindowBase::Show()
{
}

void GUIGameCompleteWindowBase::Hide()
{
}

} // namespace GameFramework
