#include "framework/GUIStartGameLogicWindowBase.h"

namespace GameFramework
{

GUIStartGameLogicWindowBase::~GUIStartGameLogicWindowBase() = default;

void GUIStartGameLogicWindowBase::Update()
{
    result = 0;
}

void GUIStartGameLogicWindowBase::Show(std::uint32_t callerCodeIn)
{
    callerCode = callerCodeIn;
}

void GUIStartGameLogicWindowBase::Hide()
{
}

} // namespace GameFramework
