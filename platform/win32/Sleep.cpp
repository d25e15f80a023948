#include "platform/win32/Sleep.h"
#include "platform/win32/HookTable.h"

#include <cerrno>
#include <ctime>

namespace win32
{

void Sleep(std::uint32_t milliseconds)
{
    if (const detail::HookTable* hooks = detail::Hooks();
        hooks != nullptr && hooks->sleep != nullptr && hooks->sleep(milliseconds))
        return;
    timespec wanted{};
    wanted.tv_sec = static_cast<time_t>(milliseconds / 1000u);
    wanted.tv_nsec = static_cast<long>(milliseconds % 1000u) * 1000000L;
    // A signal cuts nanosleep short; carry on with what is left.
    timespec left{};
    while (nanosleep(&wanted, &left) != 0 && errno == EINTR)
        wanted = left;
}

} // namespace win32
