#include "framework/GUILoadingWindowBase.h"

namespace GameFramework
{

GUILoadingWindowBase::~GUILoadingWindowBase() = default;

void GUILoadingWindowBase::Update()
{
    result = 0;
}

void GUILoadingWindowBase::Show(DataKeeper* /*dataKeeper*/)
{
}

void GUILoadingWindowBase::Hide()
{
}

} // namespace GameFramework
