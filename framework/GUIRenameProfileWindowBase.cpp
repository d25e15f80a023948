#include "framework/GUIRenameProfileWindowBase.h"

namespace GameFramework
{

GUIRenameProfileWindowBase::~GUIRenameProfileWindowBase() = default;

void GUIRenameProfileWindowBase::Update()
{
    result = 0;
}

void GUIRenameProfileWindowBase::Show(bool /*keepName*/, const std::u16string& /*oldName*/)
{
}

void GUIRenameProfileWindowBase::Hide()
{
}

} // namespace GameFramework
