#include "framework/GUIProfileNameConflictWindowBase.h"

namespace GameFramework
{

GUIProfileNameConflictWindowBase::~GUIProfileNameConflictWindowBase() = default;

void GUIProfileNameConflictWindowBase::Update()
{
    result = 0;
}

void GUIProfileNameConflictWindowBase::Show(std::uint32_t callerCodeIn)
{
    callerCode = callerCodeIn;
}

void GUIProfileNameConflictWindowBase::Hide()
{
}

} // namespace GameFramework
