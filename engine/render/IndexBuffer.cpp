#include "engine/render/IndexBuffer.h"

#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"

#include <cassert>
#include <cstddef>
#include <cstring>

namespace OrvaneEngine
{

IndexBuffer::IndexBuffer(MessageManager* log_, std::uint32_t usage_, std::uint32_t count)
    : usage(usage_), wideIndices(count >= WideIndexThreshold ? 1u : 0u), indexSize(wideIndices ? 4u : 2u),
      capacity(count), usedCount(count),
      data(std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(indexSize) * count)), log(log_)
{
}

IndexBuffer::IndexBuffer(MessageManager* log_, std::uint32_t usage_, const IndexBuffer& other)
    : usage(usage_), wideIndices(other.wideIndices), indexSize(other.indexSize), capacity(other.capacity),
      usedCount(other.usedCount),
      data(std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(indexSize) * capacity)),
      rangeDirty(other.rangeDirty), minIndex(other.minIndex), indexRange(other.indexRange), log(log_)
{
    std::memcpy(data.get(), other.data.get(), static_cast<std::size_t>(indexSize) * capacity);
}

IndexBuffer::~IndexBuffer() = default;

void* IndexBuffer::Lock(std::uint32_t first, std::uint32_t count)
{
    assert(static_cast<std::uint64_t>(first) + count <= capacity);
    locked = 1;
    lockFirst = first;
    lockCount = count;
    rangeDirty = 1;
    return data.get() + static_cast<std::size_t>(indexSize) * first;
}

void IndexBuffer::Unlock()
{
    locked = 0;
}

void IndexBuffer::Apply()
{
}

void IndexBuffer::SetIndices(std::uint32_t first, std::uint32_t count, const std::uint32_t* source)
{
    if (static_cast<std::uint64_t>(first) + count > capacity)
    {
        const std::uint32_t room = first < capacity ? capacity - first : 0;
        Report("IndexBuffer::SetIndices: " + UIntToString(count, 0) + " indices from " + UIntToString(first, 0) +
               " do not fit into " + UIntToString(capacity, 0) + ", only " + UIntToString(room, 0) + " written");
        first = first < capacity ? first : capacity;
        count = room;
    }
    void* target = Lock(first, count);
    if (wideIndices)
    {
        if (count > 0)
            std::memcpy(target, source, static_cast<std::size_t>(count) * 4);
    }
    else
    {
        auto* narrow = static_cast<std::uint16_t*>(target);
        for (std::uint32_t i = 0; i < count; ++i)
            narrow[i] = static_cast<std::uint16_t>(source[i] & 0xFFFF);
    }
    Unlock();
}

void IndexBuffer::SetIndexCount(std::uint32_t count)
{
    if (count > capacity)
    {
        Report("IndexBuffer::SetIndexCount: " + UIntToString(count, 0) + " indices are more than the capacity of " +
               UIntToString(capacity, 0));
        count = capacity;
    }
    usedCount = count;
    rangeDirty = 1;
}

std::uint32_t IndexBuffer::GetMinIndex()
{
    if (rangeDirty)
        UpdateIndexRange();
    return minIndex;
}

std::uint32_t IndexBuffer::GetIndexRange()
{
    if (rangeDirty)
        UpdateIndexRange();
    return indexRange;
}

void IndexBuffer::UpdateIndexRange()
{
    rangeDirty = 0;
    if (usedCount == 0)
    {
        minIndex = 0;
        indexRange = 0;
        return;
    }
    std::uint32_t low = 0;
    std::uint32_t high = 0;
    for (std::uint32_t i = 0; i < usedCount; ++i)
    {
        std::uint32_t value;
        if (wideIndices)
        {
            std::memcpy(&value, data.get() + static_cast<std::size_t>(i) * 4, 4);
        }
        else
        {
            std::uint16_t narrow;
            std::memcpy(&narrow, data.get() + static_cast<std::size_t>(i) * 2, 2);
            value = narrow;
        }
        if (i == 0 || value < low)
            low = value;
        if (i == 0 || value > high)
            high = value;
    }
    minIndex = low;
    indexRange = high - low + 1;
}

void IndexBuffer::Report(const std::string& text) const
{
    if (log)
        log->Error(text);
}

} // namespace OrvaneEngine
