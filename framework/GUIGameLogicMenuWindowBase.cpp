#include "framework/GUIGameLogicMenuWindowBase.h"

namespace GameFramework
{

GUIGameLogicMenuWindowBase::~GUIGameLogicMenuWindowBase() = default;

void GUIGameLogicMenuWindowBase::Update()
{
    result = 0;
}

void GUIGameLogicMenuWindowBase::Show()
{
}

void GUIGameLogicMenuWindowBase::Hide()
{
}

} // namespace GameFramework
