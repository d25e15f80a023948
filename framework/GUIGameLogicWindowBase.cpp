#include "framework/GUIGameLogicWindowBase.h"

namespace GameFramework
{

GUIGameLogicWindowBase::~GUIGameLogicWindowBase() = default;

void GUIGameLogicWindowBase::Update()
{
    result = 0;
}

void GUIGameLogicWindowBase::Show(GameLogicBase* /*gameLogic*/)
{
}

void GUIGameLogicWindowBase::Hide()
{
}

} // namespace GameFramework
