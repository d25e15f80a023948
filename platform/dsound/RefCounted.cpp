#include "platform/dsound/RefCounted.h"

namespace dsound
{

HRESULT RefCounted::AddRef()
{
    return ++references;
}

HRESULT RefCounted::Release()
{
    const HRESULT left = --references;
    if (left == 0)
        delete this;
    return left;
}

} // namespace dsound
