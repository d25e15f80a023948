#pragma once

#include "platform/dsound/Types.h"

#include <atomic>

namespace dsound
{

// Shared life of every object the device hands out: it starts with one
// reference, AddRef adds one, and the Release that drops the last one deletes
// the object. Both return the count left (the HRESULT type is only its width).
class RefCounted
{
public:
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    HRESULT AddRef();
    HRESULT Release();

protected:
    RefCounted() = default;
    virtual ~RefCounted() = default;

private:
    std::atomic<HRESULT> references{1};
};

} // namespace dsound
