#include "framework/GUIStageCompleteWindowBase.h"

namespace GameFramework
{

GUIStageCompleteWindowBase::~GUIStageCompleteWindowBase() = default;

void GUIStageCompleteWindowBase::Update()
{
    result = 0;
}

void GUIStageCompleteWindowBase::Show(LevelRecord* /*levelRecord*/)
{
}

void GUIStageCompleteWindowBase::Hide()
{
}

} // namespace GameFramework
