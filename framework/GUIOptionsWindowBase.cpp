#include "framework/GUIOptionsWindowBase.h"

namespace GameFramework
{

GUIOptionsWindowBase::~GUIOptionsWindowBase() = default;

void GUIOptionsWindowBase::Update()
{
    result = 0;
}

void GUIOptionsWindowBase::Show()
{
}

void GUIOptionsWindowBase::Hide()
{
}

} // namespace GameFramework
