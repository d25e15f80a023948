#include "platform/win32/PictureRect.h"

#include "platform/win32/Desktop.h"
#include "platform/win32/WindowTable.h"

namespace win32
{

PictureRect FitPicture(std::uint32_t pictureWidth, std::uint32_t pictureHeight, std::uint32_t drawableWidth,
                       std::uint32_t drawableHeight, bool fullscreen)
{
    PictureRect rect;
    rect.width = static_cast<std::int32_t>(drawableWidth);
    rect.height = static_cast<std::int32_t>(drawableHeight);
    if (!fullscreen || pictureWidth == 0 || pictureHeight == 0 || drawableWidth == 0 || drawableHeight == 0)
        return rect;
    // Whole-number cross products decide which side limits the scale, so an
    // exact fit never loses a pixel to rounding.
    const std::uint64_t pw = pictureWidth;
    const std::uint64_t ph = pictureHeight;
    const std::uint64_t dw = drawableWidth;
    const std::uint64_t dh = drawableHeight;
    if (dw * ph <= dh * pw)
        rect.height = static_cast<std::int32_t>((dw * ph + pw / 2) / pw);
    else
        rect.width = static_cast<std::int32_t>((dh * pw + ph / 2) / ph);
    rect.x = (static_cast<std::int32_t>(drawableWidth) - rect.width) / 2;
    rect.y = (static_cast<std::int32_t>(drawableHeight) - rect.height) / 2;
    return rect;
}

PictureRect GetWindowPictureRect(HWND window)
{
    const detail::NativeWindow* record = detail::FindWindowRecord(window);
    if (record == nullptr)
        return PictureRect{};
    if (!record->fullscreen)
        return FitPicture(record->width, record->height, record->width, record->height, false);
    const DesktopMode desktop = GetDesktopMode();
    return FitPicture(record->width, record->height, desktop.width, desktop.height, true);
}

} // namespace win32
