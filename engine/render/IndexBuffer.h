#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace OrvaneEngine
{

class MessageManager;

// Triangle indices in system memory, 16 bits wide below 65,536 indices and 32
// bits from there on, with the smallest used index and the span of used
// indices kept for the draw call. Made only through the render system.
class IndexBuffer
{
public:
    static constexpr std::uint32_t WideIndexThreshold = 65536;

    virtual ~IndexBuffer();
    IndexBuffer& operator=(const IndexBuffer&) = delete;

    // The range must lie inside the capacity (checked in debug builds only).
    virtual void* Lock(std::uint32_t first, std::uint32_t count);
    virtual void Unlock();
    // Called just before each draw; the memory is already where the device reads it.
    virtual void Apply();

    // Writes count values from source, each cut to the buffer's width. Values
    // that would land beyond the capacity are dropped and reported.
    void SetIndices(std::uint32_t first, std::uint32_t count, const std::uint32_t* source);
    // The number of indices drawn; a count beyond the capacity is cut to it and reported.
    void SetIndexCount(std::uint32_t count);
    std::uint32_t GetMinIndex();
    std::uint32_t GetIndexRange();
    void UpdateIndexRange();

    std::uint32_t GetUsage() const { return usage; }
    bool Is32Bit() const { return wideIndices != 0; }
    std::uint32_t GetIndexSize() const { return indexSize; }
    std::uint32_t GetCapacity() const { return capacity; }
    std::uint32_t GetIndexCount() const { return usedCount; }
    std::uint8_t* GetData() { return data.get(); }
    const std::uint8_t* GetData() const { return data.get(); }
    bool IsLocked() const { return locked != 0; }
    std::uint32_t GetLockFirst() const { return lockFirst; }
    std::uint32_t GetLockCount() const { return lockCount; }
    // True the first time only: a draw the buffer's indices do not fit is
    // reported once per buffer, not once per frame.
    bool TakeDrawRefusalReport() { return !std::exchange(drawRefusalReported, true); }

protected:
    // The log receives the reports of counts beyond the capacity; it may be null.
    IndexBuffer(MessageManager* log, std::uint32_t usage, std::uint32_t count);
    // other's width, sizes, counts, range and a byte copy of its indices, with new usage flags.
    IndexBuffer(MessageManager* log, std::uint32_t usage, const IndexBuffer& other);

private:
    void Report(const std::string& text) const;

    std::uint32_t usage;
    std::uint32_t wideIndices;
    std::uint32_t indexSize;
    std::uint32_t capacity;
    std::uint32_t usedCount;
    std::unique_ptr<std::uint8_t[]> data;
    std::uint32_t locked = 0;
    std::uint32_t lockFirst = 0;
    std::uint32_t lockCount = 0;
    std::uint32_t rangeDirty = 1;
    std::uint32_t minIndex = 0;
    std::uint32_t indexRange = 0;
    bool drawRefusalReported = false;
    MessageManager* log;
};

} // namespace OrvaneEngine
