#pragma once

#include "platform/d3d7/Counters.h"

#include <atomic>
#include <cstdint>

namespace d3d7
{

// Shared life of every object the stand-in hands out: it starts with one
// reference; the Release that drops the last one deletes it. Both calls
// return the count left. Counts are atomic: the loading worker creates and
// releases texture surfaces while the main thread draws.
class Object
{
public:
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    std::uint32_t AddRef();
    std::uint32_t Release();

protected:
    explicit Object(detail::ObjectKind kind);
    virtual ~Object();

private:
    std::atomic<std::uint32_t> references{1};
    detail::ObjectKind kind;
};

} // namespace d3d7
