#include "platform/d3d7/WindowPictureSource.h"

#include "platform/d3d7/PresentedPicture.h"
#include "platform/win32/PictureSource.h"
#include "platform/win32/WindowCalls.h"

namespace d3d7
{
namespace
{

class PresentedPictureSource : public win32::PictureSource
{
public:
    bool ReadPicture(std::uint32_t width, std::uint32_t height, std::vector<std::uint8_t>& pixels) override
    {
        std::uint32_t presentedWidth = 0;
        std::uint32_t presentedHeight = 0;
        return ReadPresentedPicture(pixels, presentedWidth, presentedHeight) && presentedWidth == width &&
               presentedHeight == height;
    }
};

PresentedPictureSource& GetSource()
{
    static PresentedPictureSource source;
    return source;
}

void SetSource(HWND window, win32::PictureSource* source)
{
    const win32::HDC context = win32::GetDC(window);
    if (context == nullptr)
        return;
    win32::SetPictureSource(context, source);
    win32::ReleaseDC(window, context);
}

} // namespace

void AttachPresentedPicture(HWND window)
{
    SetSource(window, &GetSource());
}

void DetachPresentedPicture(HWND window)
{
    const win32::HDC context = win32::GetDC(window);
    if (context == nullptr)
        return;
    if (win32::GetPictureSource(context) == &GetSource())
        win32::SetPictureSource(context, nullptr);
    win32::ReleaseDC(window, context);
}

} // namespace d3d7
