#include "framework/GUIContinueGameLogicWindowBase.h"

namespace GameFramework
{

GUIContinueGameLogicWindowBase::GUIContinueGameLogicWindowBase(OrvaneEngine::Engine* engineIn)
    : engine(engineIn)
{
}

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
