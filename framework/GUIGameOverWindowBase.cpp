#include "framework/GUIGameOverWindowBase.h"

namespace GameFramework
{

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
