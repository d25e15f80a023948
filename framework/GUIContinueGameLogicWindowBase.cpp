#include "framework/GUIContinueGameLogicWindowBase.h"

namespace GameFramework
{

GUIContinueGameLogicWindowBase::~GUIContinueGameLogicWindowBase() = default;

void GUIContinueGameLogicWindowBase::Update()
{
    result = 0;
}

void GUIContinueGameLogicWindowBase::Show()
{
}

void GUIContinueGameLogicWindowBase::Hide()
{
}

} // namespace GameFramework
