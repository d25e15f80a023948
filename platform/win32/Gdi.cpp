#include "platform/win32/Gdi.h"

#include "platform/win32/PictureSource.h"
#include "platform/win32/WindowCalls.h"
#include "platform/win32/WindowTable.h"
#include "platform/win32/HookTable.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

namespace win32
{

struct BitmapObject
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // Rows bottom-up, B, G, R, X; meaningless while blank.
    std::vector<std::uint8_t> pixels;
    // Nothing copied in yet: every pixel reads as zero. Saves clearing a
    // picture that a whole-window copy is about to replace.
    bool blank = true;
    HDC selectedInto = nullptr;
};

namespace
{

using detail::GdiCall;

bool TakeGdiFailure(GdiCall call)
{
    const detail::HookTable* hooks = detail::Hooks();
    return hooks != nullptr && hooks->takeGdiFailure != nullptr && hooks->takeGdiFailure(call);
}

constexpr std::int32_t kMaxSide = 16384;

struct MemoryContext
{
    std::unique_ptr<DeviceContext> context;
    BitmapObject* selected = nullptr;
};

struct GdiTables
{
    std::unordered_map<HDC, MemoryContext> memoryContexts;
    std::unordered_map<BitmapObject*, std::unique_ptr<BitmapObject>> bitmaps;
    // What a memory context holds before anything is selected; never freed.
    BitmapObject stock{1, 1, std::vector<std::uint8_t>(4, 0), false, nullptr};
    // The pixels of the bitmap deleted last: a capture makes one bitmap of
    // the same size every frame.
    std::vector<std::uint8_t> spare;
};

GdiTables& Tables()
{
    static GdiTables tables;
    return tables;
}

MemoryContext* FindMemoryContext(HDC context)
{
    auto& contexts = Tables().memoryContexts;
    const auto found = contexts.find(context);
    return found == contexts.end() ? nullptr : &found->second;
}

bool IsWindowContext(HDC context)
{
    if (context == nullptr || context->window == 0)
        return false;
    const detail::NativeWindow* record = detail::FindWindowRecord(context->window);
    return record != nullptr && record->deviceContext.get() == context;
}

bool IsKnownContext(HDC context)
{
    return FindMemoryContext(context) != nullptr || IsWindowContext(context);
}

BitmapObject* FindBitmap(HGDIOBJ object)
{
    auto& bitmaps = Tables().bitmaps;
    const auto found = bitmaps.find(static_cast<BitmapObject*>(object));
    return found == bitmaps.end() ? nullptr : found->second.get();
}

// Copies a rectangle between two bottom-up 32-bit pictures, given in
// top-left coordinates and clipped to both.
void CopyRectangle(const std::uint8_t* from, std::int64_t fromWidth, std::int64_t fromHeight, std::int64_t fromX,
                   std::int64_t fromY, std::uint8_t* to, std::int64_t toWidth, std::int64_t toHeight,
                   std::int64_t toX, std::int64_t toY, std::int64_t width, std::int64_t height)
{
    const std::int64_t firstColumn = std::max<std::int64_t>({0, -fromX, -toX});
    const std::int64_t lastColumn = std::min({width, fromWidth - fromX, toWidth - toX});
    if (lastColumn <= firstColumn)
        return;
    const auto bytes = static_cast<std::size_t>(lastColumn - firstColumn) * 4;
    for (std::int64_t row = 0; row < height; ++row)
    {
        const std::int64_t fromRow = fromY + row;
        const std::int64_t toRow = toY + row;
        if (fromRow < 0 || fromRow >= fromHeight || toRow < 0 || toRow >= toHeight)
            continue;
        const std::uint8_t* in = from + ((fromHeight - 1 - fromRow) * fromWidth + fromX + firstColumn) * 4;
        std::uint8_t* out = to + ((toHeight - 1 - toRow) * toWidth + toX + firstColumn) * 4;
        std::memcpy(out, in, bytes);
    }
}

} // namespace

HDC CreateCompatibleDC(HDC context)
{
    if (context != nullptr && !IsKnownContext(context))
        return nullptr;
    auto made = std::make_unique<DeviceContext>();
    const HDC handle = made.get();
    Tables().memoryContexts.emplace(handle, MemoryContext{std::move(made), &Tables().stock});
    return handle;
}

BOOL DeleteDC(HDC context)
{
    MemoryContext* memory = FindMemoryContext(context);
    if (memory == nullptr)
        return FALSE;
    memory->selected->selectedInto = nullptr;
    Tables().memoryContexts.erase(context);
    return TRUE;
}

HBITMAP CreateCompatibleBitmap(HDC context, std::int32_t width, std::int32_t height)
{
    if (TakeGdiFailure(GdiCall::CreateCompatibleBitmap))
        return nullptr;
    if (!IsKnownContext(context) || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return nullptr;
    auto bitmap = std::make_unique<BitmapObject>();
    bitmap->width = static_cast<std::uint32_t>(width);
    bitmap->height = static_cast<std::uint32_t>(height);
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    std::vector<std::uint8_t>& spare = Tables().spare;
    if (spare.size() == bytes)
        bitmap->pixels = std::move(spare);
    else
        bitmap->pixels.resize(bytes);
    spare.clear();
    const HBITMAP handle = bitmap.get();
    Tables().bitmaps.emplace(handle, std::move(bitmap));
    return handle;
}

HGDIOBJ SelectObject(HDC context, HGDIOBJ object)
{
    if (TakeGdiFailure(GdiCall::SelectObject))
        return nullptr;
    MemoryContext* memory = FindMemoryContext(context);
    BitmapObject* bitmap = object == &Tables().stock ? &Tables().stock : FindBitmap(object);
    if (memory == nullptr || bitmap == nullptr)
        return nullptr;
    if (bitmap != &Tables().stock && bitmap->selectedInto != nullptr && bitmap->selectedInto != context)
        return nullptr;
    BitmapObject* previous = memory->selected;
    if (previous != &Tables().stock)
        previous->selectedInto = nullptr;
    if (bitmap != &Tables().stock)
        bitmap->selectedInto = context;
    memory->selected = bitmap;
    return previous;
}

BOOL DeleteObject(HGDIOBJ object)
{
    if (object == &Tables().stock)
        return TRUE;
    BitmapObject* bitmap = FindBitmap(object);
    if (bitmap == nullptr || bitmap->selectedInto != nullptr)
        return FALSE;
    Tables().spare = std::move(bitmap->pixels);
    Tables().bitmaps.erase(bitmap);
    return TRUE;
}

BOOL BitBlt(HDC target, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, HDC source,
            std::int32_t sourceX, std::int32_t sourceY, std::uint32_t operation)
{
    if (TakeGdiFailure(GdiCall::BitBlt))
        return FALSE;
    MemoryContext* memory = FindMemoryContext(target);
    if (memory == nullptr || memory->selected == &Tables().stock || operation != SRCCOPY || width <= 0 ||
        height <= 0 || !IsWindowContext(source))
        return FALSE;
    PictureSource* pictures = GetPictureSource(source);
    RECT client{};
    if (pictures == nullptr || !GetClientRect(source->window, &client) || client.right <= 0 || client.bottom <= 0)
        return FALSE;
    const auto pictureWidth = static_cast<std::uint32_t>(client.right);
    const auto pictureHeight = static_cast<std::uint32_t>(client.bottom);
    const std::size_t pictureBytes = std::size_t{pictureWidth} * pictureHeight * 4;
    BitmapObject& bitmap = *memory->selected;

    // The whole window into a bitmap of its size: read straight into it.
    if (x == 0 && y == 0 && sourceX == 0 && sourceY == 0 && bitmap.width == pictureWidth &&
        bitmap.height == pictureHeight && static_cast<std::uint32_t>(width) == pictureWidth &&
        static_cast<std::uint32_t>(height) == pictureHeight)
    {
        if (pictures->ReadPicture(pictureWidth, pictureHeight, bitmap.pixels) && bitmap.pixels.size() == pictureBytes)
        {
            bitmap.blank = false;
            return TRUE;
        }
        // The read may have spoilt what the bitmap held.
        bitmap.pixels.resize(pictureBytes);
        bitmap.blank = true;
        return FALSE;
    }
    std::vector<std::uint8_t> picture;
    if (!pictures->ReadPicture(pictureWidth, pictureHeight, picture) || picture.size() != pictureBytes)
        return FALSE;
    if (bitmap.blank)
        std::fill(bitmap.pixels.begin(), bitmap.pixels.end(), std::uint8_t{0});
    bitmap.blank = false;
    CopyRectangle(picture.data(), pictureWidth, pictureHeight, sourceX, sourceY, bitmap.pixels.data(), bitmap.width,
                  bitmap.height, x, y, width, height);
    return TRUE;
}

std::int32_t GetDIBits(HDC context, HBITMAP bitmap, UINT startScan, UINT scanLines, void* bits, BITMAPINFO* info,
                       UINT usage)
{
    if (TakeGdiFailure(GdiCall::GetDIBits))
        return 0;
    BitmapObject* object = FindBitmap(bitmap);
    if (!IsKnownContext(context) || object == nullptr || object->selectedInto != nullptr || bits == nullptr ||
        info == nullptr || usage != DIB_RGB_COLORS)
        return 0;
    BITMAPINFOHEADER& header = info->header;
    if (header.size < sizeof(BITMAPINFOHEADER) || header.planes != 1 || header.bitCount != 32 ||
        header.compression != BI_RGB || header.width != static_cast<std::int32_t>(object->width) ||
        header.height != static_cast<std::int32_t>(object->height))
        return 0;
    const std::size_t rowBytes = std::size_t{object->width} * 4;
    header.sizeImage = static_cast<std::uint32_t>(rowBytes * object->height);
    if (startScan >= object->height)
        return 0;
    const UINT lines = std::min<UINT>(scanLines, object->height - startScan);
    if (object->blank)
        std::memset(bits, 0, rowBytes * lines);
    else
        std::memcpy(bits, object->pixels.data() + rowBytes * startScan, rowBytes * lines);
    return static_cast<std::int32_t>(lines);
}

} // namespace win32

namespace win32::detail
{

std::int32_t CountLiveGdiObjects()
{
    return static_cast<std::int32_t>(Tables().memoryContexts.size() + Tables().bitmaps.size());
}

} // namespace win32::detail
