#include "platform/win32/WindowTable.h"

#include <algorithm>

namespace win32::detail
{
namespace
{

std::vector<std::unique_ptr<NativeWindow>>& Records()
{
    static std::vector<std::unique_ptr<NativeWindow>> records;
    return records;
}

HWND focused = 0;
// Handles are never reused, so a stale handle never names a newer window.
HWND lastHandle = 0x100;

} // namespace

NativeWindow* FindWindowRecord(HWND handle)
{
    if (handle == 0)
        return nullptr;
    for (const auto& record : Records())
        if (record->handle == handle)
            return record.get();
    return nullptr;
}

NativeWindow* FindWindowBySdlId(std::uint32_t sdlId)
{
    if (sdlId == 0)
        return nullptr;
    for (const auto& record : Records())
        if (record->sdlId == sdlId)
            return record.get();
    return nullptr;
}

std::vector<NativeWindow*> GetWindowRecords()
{
    std::vector<NativeWindow*> out;
    for (const auto& record : Records())
        out.push_back(record.get());
    return out;
}

NativeWindow& AddWindowRecord(std::unique_ptr<NativeWindow> record)
{
    Records().push_back(std::move(record));
    return *Records().back();
}

std::unique_ptr<NativeWindow> RemoveWindowRecord(HWND handle)
{
    auto& records = Records();
    const auto it = std::find_if(records.begin(), records.end(),
                                 [handle](const auto& record) { return record->handle == handle; });
    if (it == records.end())
        return nullptr;
    std::unique_ptr<NativeWindow> record = std::move(*it);
    records.erase(it);
    if (focused == handle)
        focused = 0;
    return record;
}

HWND NextWindowHandle()
{
    lastHandle += 4;
    return lastHandle;
}

HWND GetFocusedHandle()
{
    return focused;
}

void SetFocusedHandle(HWND handle)
{
    focused = handle;
}

POINT GetClientOrigin(const NativeWindow& record)
{
    if (record.fullscreen)
        return POINT{0, 0};
    return POINT{record.x, record.y};
}

HWND GetTopLevel(HWND handle)
{
    const NativeWindow* record = FindWindowRecord(handle);
    // A chain of parents is finite: a parent always exists before its child.
    while (record != nullptr && record->parent != 0)
    {
        const NativeWindow* parent = FindWindowRecord(record->parent);
        if (parent == nullptr)
            break;
        record = parent;
    }
    return record == nullptr ? 0 : record->handle;
}

} // namespace win32::detail
