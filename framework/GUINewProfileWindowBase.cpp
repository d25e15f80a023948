#include "framework/GUINewProfileWindowBase.h"

namespace GameFramework
{

GUINewProfileWindowBase::~GUINewProfileWindowBase() = default;

void GUINewProfileWindowBase::Update()
{
    result = 0;
}

void GUINewProfileWindowBase::Show(std::uint32_t /*unused*/)
{
}

void GUINewProfileWindowBase::Hide()
{
}

} // namespace GameFramework
