#include "platform/d3d7/Object.h"

#include "platform/d3d7/GlContext.h"

namespace d3d7
{

Object::Object(detail::ObjectKind kind_) : kind(kind_)
{
    ++detail::GetCounters().live[static_cast<int>(kind)];
}

Object::~Object()
{
    if (--detail::GetCounters().live[static_cast<int>(kind)] == 0)
    {
        std::int32_t total = 0;
        for (const auto& count : detail::GetCounters().live)
            total += count;
        if (total == 0)
            detail::GlContext::Get().ReleaseIfOrphaned();
    }
}

std::uint32_t Object::AddRef()
{
    return ++references;
}

std::uint32_t Object::Release()
{
    const std::uint32_t left = --references;
    if (left == 0)
        delete this;
    return left;
}

} // namespace d3d7
