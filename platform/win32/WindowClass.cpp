#include "platform/win32/WindowClass.h"

#include "platform/win32/ClassTable.h"
#include "platform/win32/Video.h"
#include "platform/win32/WindowTable.h"
#include "platform/win32/HookTable.h"

#include <map>
#include <memory>

namespace win32
{

struct IconObject
{
    std::uint32_t id = 0;
};

namespace
{

struct ClassRecord
{
    WNDCLASSA description{};
    std::string name;
};

std::map<std::string, std::unique_ptr<ClassRecord>>& Classes()
{
    static std::map<std::string, std::unique_ptr<ClassRecord>> classes;
    return classes;
}

const char moduleTag = 0;
IconObject applicationIcon{0};
IconObject programIcon{101};

} // namespace

HINSTANCE GetModuleHandleA(const char* moduleName)
{
    return moduleName == nullptr ? static_cast<HINSTANCE>(&moduleTag) : nullptr;
}

HBRUSH GetStockObject(std::int32_t object)
{
    return object >= 0 && object <= 5 ? static_cast<HBRUSH>(0x1000 + object) : 0;
}

ATOM RegisterClassA(const WNDCLASSA* windowClass)
{
    if (windowClass == nullptr || windowClass->lpszClassName == nullptr || windowClass->lpfnWndProc == nullptr)
        return 0;
    if (detail::IsRefused(detail::WindowCall::RegisterClass))
        return 0;
    const std::string name = windowClass->lpszClassName;
    auto& classes = Classes();
    if (name.empty() || classes.count(name) != 0)
        return 0;
    if (!detail::StartVideo())
        return 0;
    auto record = std::make_unique<ClassRecord>();
    record->name = name;
    record->description = *windowClass;
    record->description.lpszClassName = record->name.c_str();
    record->description.lpszMenuName = nullptr;
    classes.emplace(name, std::move(record));
    // Atoms of registered classes lie in 0xC000..0xFFFF.
    return static_cast<ATOM>(0xC000 + (classes.size() & 0x3FFF));
}

BOOL UnregisterClassA(const char* className, HINSTANCE)
{
    if (className == nullptr)
        return FALSE;
    auto& classes = Classes();
    const auto it = classes.find(className);
    if (it == classes.end())
        return FALSE;
    for (const detail::NativeWindow* window : detail::GetWindowRecords())
        if (window->className == it->first)
            return FALSE;
    classes.erase(it);
    detail::StopVideo();
    return TRUE;
}

HICON LoadIconA(HINSTANCE instance, std::uint32_t resourceId)
{
    if (instance == nullptr)
        return resourceId == IDI_APPLICATION ? &applicationIcon : nullptr;
    if (instance == GetModuleHandleA(nullptr) && resourceId == programIcon.id)
        return &programIcon;
    return nullptr;
}

namespace detail
{

const WNDCLASSA* FindWindowClass(const std::string& name)
{
    const auto it = Classes().find(name);
    return it == Classes().end() ? nullptr : &it->second->description;
}

std::uint32_t IconResourceOf(HICON icon)
{
    return icon == nullptr ? 0 : icon->id;
}

} // namespace detail

} // namespace win32
