#pragma once

// The drawing calls the screen capture makes: memory device contexts,
// bitmaps, a block copy from a window and the read-back of a bitmap as a
// device-independent bitmap. Bitmaps are plain memory of 32 bits per pixel;
// a window's picture comes from its device context's picture source. Main
// thread only.

#include "platform/win32/DeviceContext.h"
#include "platform/win32/GdiTypes.h"
#include "platform/win32/WindowTypes.h"

#include <cstdint>

namespace win32
{

// A memory device context holding a 1 x 1 stock bitmap; the context it is
// made compatible with may be null, a window's or another memory context.
HDC CreateCompatibleDC(HDC context);
// Only memory contexts; a bitmap selected into it is free again.
BOOL DeleteDC(HDC context);
// A bitmap of that size, every pixel zero; null for an unknown context or a
// size that is not positive (or beyond 16384 on a side).
HBITMAP CreateCompatibleBitmap(HDC context, std::int32_t width, std::int32_t height);
// Puts a bitmap into a memory context and returns the one it held; null
// when the context or the bitmap is unknown, or the bitmap is in another
// context already.
HGDIOBJ SelectObject(HDC context, HGDIOBJ object);
// Frees a bitmap that no context holds.
BOOL DeleteObject(HGDIOBJ object);
// Only SRCCOPY from a window's context into the bitmap of a memory context,
// both in top-left coordinates, clipped to both. Fails when the window's
// picture source has no picture of the window's size.
BOOL BitBlt(HDC target, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, HDC source,
            std::int32_t sourceX, std::int32_t sourceY, std::uint32_t operation);
// Copies scan lines of a bitmap that no context holds into a bottom-up,
// uncompressed 32-bit DIB described by info (rows of B, G, R, X), and sets
// the header's image size; the lines copied, 0 on failure.
std::int32_t GetDIBits(HDC context, HBITMAP bitmap, UINT startScan, UINT scanLines, void* bits, BITMAPINFO* info,
                       UINT usage);

} // namespace win32

namespace win32::detail
{

// Memory device contexts and bitmaps not yet deleted.
std::int32_t CountLiveGdiObjects();

} // namespace win32::detail
