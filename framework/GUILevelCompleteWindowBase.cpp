#include "framework/GUILevelCompleteWindowBase.h"

namespace GameFramework
{

GUILevelCompleteWindowBase::~GUILevelCompleteWindowBase() = default;

void GUILevelCompleteWindowBase::Update()
{
    result = 0;
}

void GUILevelCompleteWindowBase::Show(LevelRecord* /*levelRecord*/, float /*levelTime*/)
{
}

void GUILevelCompleteWindowBase::Hide()
{
}

} // namespace GameFramework
