#include "tests/game/loader_allocation/FailingNothrowNew.h"

#include <atomic>
#include <new>

namespace
{
std::atomic<bool> failNext{false};
std::atomic<bool> failed{false};
} // namespace

// The plain operator new stays the library's; the nothrow one asks it, so
// that every allocation is freed by the delete it was made for.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    if (failNext.exchange(false))
    {
        failed = true;
        return nullptr;
    }
    try
    {
        return ::operator new(size);
    }
    catch (...)
    {
        return nullptr;
    }
}

void corvellan::test::FailNextNothrowNew()
{
    failed = false;
    failNext = true;
}

bool corvellan::test::NothrowNewFailed()
{
    return failed;
}
