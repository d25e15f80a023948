#include "platform/win32/testing/MessageBoxHooks.h"

#include "platform/win32/testing/HookEntries.h"

#include <mutex>

namespace win32::testing
{
namespace
{
std::mutex boxesMutex;
std::vector<MessageBoxCall> boxes;
} // namespace

bool entries::RecordMessageBox(const std::string& text, const std::string& caption, std::uint32_t type)
{
    std::lock_guard lock(boxesMutex);
    boxes.push_back(MessageBoxCall{text, caption, type});
    return true;
}

std::vector<MessageBoxCall> GetMessageBoxCalls()
{
    std::lock_guard lock(boxesMutex);
    return boxes;
}

void ResetMessageBoxes()
{
    std::lock_guard lock(boxesMutex);
    boxes.clear();
}

} // namespace win32::testing
