#include "engine/render/D3DResultTexts.h"

#include "engine/core/StringFunctions.h"
#include "platform/d3d7/Results.h"

namespace OrvaneEngine
{
namespace
{

// Our own one-line wording, except for the rows the engine meets most,
// whose texts are fixed.
const D3DResultText kTexts[] = {
    {d3d7::DDERR_ALREADYINITIALIZED, "The object has already been initialized."},
    {d3d7::DDERR_CANNOTATTACHSURFACE, "This surface cannot be attached to the requested surface."},
    {d3d7::DDERR_CANNOTDETACHSURFACE, "This surface cannot be detached from the requested surface."},
    {d3d7::DDERR_CURRENTLYNOTAVAIL, "Support for this operation is not available at the moment."},
    {d3d7::DDERR_EXCEPTION, "An exception was raised while the operation was carried out."},
    {d3d7::DDERR_GENERIC, "There is an undefined error condition."},
    {d3d7::DDERR_HEIGHTALIGN, "The height of the rectangle is not a multiple of the required alignment."},
    {d3d7::DDERR_INCOMPATIBLEPRIMARY, "The primary surface requested does not match the existing primary surface."},
    {d3d7::DDERR_INVALIDCAPS, "One or more of the capability bits passed are not valid."},
    {d3d7::DDERR_INVALIDCLIPLIST, "The clip list given is not supported."},
    {d3d7::DDERR_INVALIDMODE, "DirectDraw does not support the requested mode."},
    {d3d7::DDERR_INVALIDOBJECT, "DirectDraw received a pointer that was an invalid DirectDraw object."},
    {d3d7::DDERR_INVALIDPARAMS, "One or more of the parameters passed to the method are incorrect."},
    {d3d7::DDERR_INVALIDPIXELFORMAT, "The pixel format given is not valid."},
    {d3d7::DDERR_INVALIDRECT, "The rectangle given is not valid."},
    {d3d7::DDERR_LOCKEDSURFACES, "The operation cannot go on while one or more surfaces are locked."},
    {d3d7::DDERR_NO3D, "No 3-D hardware or emulation is present."},
    {d3d7::DDERR_NOALPHAHW, "No alpha acceleration hardware is present or available."},
    {d3d7::DDERR_NOSTEREOHARDWARE, "No stereo display hardware is present or available."},
    {d3d7::DDERR_NOSURFACELEFT, "No hardware is present that can hold another surface."},
    {d3d7::DDERR_NOCLIPLIST, "No clip list is available."},
    {d3d7::DDERR_NOCOLORCONVHW, "No hardware is present or available for colour conversion."},
    {d3d7::DDERR_NOCOOPERATIVELEVELSET, "The cooperative level has not been set before this call."},
    {d3d7::DDERR_NOCOLORKEY, "The surface has no colour key."},
    {d3d7::DDERR_NOCOLORKEYHW, "No hardware support for the destination colour key is present."},
    {d3d7::DDERR_NODIRECTDRAWSUPPORT, "The current display driver does not support DirectDraw."},
    {d3d7::DDERR_NOEXCLUSIVEMODE, "The operation requires the application to have exclusive mode, but the application does not have exclusive mode."},
    {d3d7::DDERR_NOFLIPHW, "Flipping visible surfaces is not supported."},
    {d3d7::DDERR_NOGDI, "No graphics device interface is present."},
    {d3d7::DDERR_NOMIRRORHW, "No hardware is present or available for mirroring."},
    {d3d7::DDERR_NOTFOUND, "The requested item was not found."},
    {d3d7::DDERR_NOOVERLAYHW, "No overlay hardware is present or available."},
    {d3d7::DDERR_OVERLAPPINGRECTS, "The source and destination rectangles overlap on the same surface."},
    {d3d7::DDERR_NORASTEROPHW, "No hardware is present or available for raster operations."},
    {d3d7::DDERR_NOROTATIONHW, "No hardware is present or available for rotation."},
    {d3d7::DDERR_NOSTRETCHHW, "No hardware is present or available for stretching."},
    {d3d7::DDERR_NOT4BITCOLOR, "The surface does not use a 4-bit colour palette."},
    {d3d7::DDERR_NOT4BITCOLORINDEX, "The surface does not use a 4-bit colour index palette."},
    {d3d7::DDERR_NOT8BITCOLOR, "The surface does not use an 8-bit colour palette."},
    {d3d7::DDERR_NOTEXTUREHW, "No texture mapping hardware is present or available."},
    {d3d7::DDERR_NOVSYNCHW, "No hardware is present or available for waiting on the vertical blank."},
    {d3d7::DDERR_NOZBUFFERHW, "No hardware is present or available for depth buffers."},
    {d3d7::DDERR_NOZOVERLAYHW, "The overlay surfaces cannot be ordered by depth in hardware."},
    {d3d7::DDERR_OUTOFCAPS, "The hardware needed for the operation has already been allocated."},
    {d3d7::DDERR_OUTOFMEMORY, "DirectDraw does not have enough memory to perform the operation."},
    {d3d7::DDERR_OUTOFVIDEOMEMORY, "DirectDraw does not have enough display memory to perform the operation."},
    {d3d7::DDERR_OVERLAYCANTCLIP, "The hardware cannot clip an overlay."},
    {d3d7::DDERR_OVERLAYCOLORKEYONLYONEACTIVE, "Only one colour key can be active on an overlay at a time."},
    {d3d7::DDERR_PALETTEBUSY, "The palette is locked by another thread."},
    {d3d7::DDERR_COLORKEYNOTSET, "No source colour key has been set."},
    {d3d7::DDERR_SURFACEALREADYATTACHED, "The surface is already attached to the surface it was to be attached to."},
    {d3d7::DDERR_SURFACEALREADYDEPENDENT, "The surface already depends on the surface it was to be made dependent on."},
    {d3d7::DDERR_SURFACEBUSY, "The surface is locked by another thread and cannot be used now."},
    {d3d7::DDERR_CANTLOCKSURFACE, "The surface cannot be locked."},
    {d3d7::DDERR_SURFACEISOBSCURED, "The surface is hidden and cannot be used."},
    {d3d7::DDERR_SURFACELOST, "Access to the surface is refused because the surface memory is gone. Call the IDirectDrawSurface7::Restore method on this surface to restore the memory associated with it."},
    {d3d7::DDERR_SURFACENOTATTACHED, "The requested surface is not attached."},
    {d3d7::DDERR_TOOBIGHEIGHT, "The requested height is too large."},
    {d3d7::DDERR_TOOBIGSIZE, "The requested size is too large."},
    {d3d7::DDERR_TOOBIGWIDTH, "The requested width is too large."},
    {d3d7::DDERR_UNSUPPORTED, "The operation is not supported."},
    {d3d7::DDERR_UNSUPPORTEDFORMAT, "The pixel format requested is not supported by DirectDraw."},
    {d3d7::DDERR_UNSUPPORTEDMASK, "The bit mask of the pixel format is not supported."},
    {d3d7::DDERR_INVALIDSTREAM, "The stream given is not valid."},
    {d3d7::DDERR_VERTICALBLANKINPROGRESS, "The display is in its vertical blank interval."},
    {d3d7::DDERR_WASSTILLDRAWING, "The previous blit operation that is transferring information to or from this surface is incomplete."},
    {d3d7::DDERR_DDSCAPSCOMPLEXREQUIRED, "New for DirectX 7.0. The surface requires the DDSCAPS_COMPLEX flag."},
    {d3d7::DDERR_XALIGN, "The rectangle is not aligned on the required horizontal boundary."},
    {d3d7::DDERR_INVALIDDIRECTDRAWGUID, "The identifier given does not name a DirectDraw driver."},
    {d3d7::DDERR_DIRECTDRAWALREADYCREATED, "A DirectDraw object for this driver already exists in this process."},
    {d3d7::DDERR_NODIRECTDRAWHW, "No hardware support for DirectDraw is present."},
    {d3d7::DDERR_PRIMARYSURFACEALREADYEXISTS, "This process has already created a primary surface."},
    {d3d7::DDERR_NOEMULATION, "Software emulation is not available."},
    {d3d7::DDERR_REGIONTOOSMALL, "The region given is too small."},
    {d3d7::DDERR_CLIPPERISUSINGHWND, "A clip list cannot be set on a clipper that is already watching a window."},
    {d3d7::DDERR_NOCLIPPERATTACHED, "No clipper is attached to the surface."},
    {d3d7::DDERR_NOHWND, "No window handle has been given for the operation."},
    {d3d7::DDERR_HWNDSUBCLASSED, "The window has been subclassed and can no longer be watched."},
    {d3d7::DDERR_HWNDALREADYSET, "The window handle of the cooperative level has already been set."},
    {d3d7::DDERR_NOPALETTEATTACHED, "No palette is attached to the surface."},
    {d3d7::DDERR_NOPALETTEHW, "No hardware support for palettes is present."},
    {d3d7::DDERR_BLTFASTCANTCLIP, "A fast blit cannot be clipped by an attached clipper."},
    {d3d7::DDERR_NOBLTHW, "No blitting hardware is present."},
    {d3d7::DDERR_NODDROPSHW, "No hardware support for DirectDraw raster operations is present."},
    {d3d7::DDERR_OVERLAYNOTVISIBLE, "The overlay is not visible."},
    {d3d7::DDERR_NOOVERLAYDEST, "The overlay has no destination surface yet."},
    {d3d7::DDERR_INVALIDPOSITION, "The overlay position given is not valid on the destination."},
    {d3d7::DDERR_NOTAOVERLAYSURFACE, "The surface is not an overlay surface."},
    {d3d7::DDERR_EXCLUSIVEMODEALREADYSET, "Another application already has exclusive mode."},
    {d3d7::DDERR_NOTFLIPPABLE, "The surface cannot be flipped."},
    {d3d7::DDERR_CANTDUPLICATE, "Primary and 3-D surfaces, and surfaces attached to them, cannot be duplicated."},
    {d3d7::DDERR_NOTLOCKED, "The surface was not locked before it was to be unlocked."},
    {d3d7::DDERR_CANTCREATEDC, "No device context can be created for the surface."},
    {d3d7::DDERR_NODC, "No device context has been created for the surface."},
    {d3d7::DDERR_WRONGMODE, "This surface cannot be restored because it was created in a different mode."},
    {d3d7::DDERR_IMPLICITLYCREATED, "The surface was created as part of another surface and cannot be restored on its own."},
    {d3d7::DDERR_NOTPALETTIZED, "The surface does not use a palette."},
    {d3d7::DDERR_UNSUPPORTEDMODE, "The display is currently in an unsupported mode."},
    {d3d7::DDERR_NOMIPMAPHW, "No hardware support for mipmapped textures is present."},
    {d3d7::DDERR_INVALIDSURFACETYPE, "The surface is of the wrong type for the operation."},
    {d3d7::DDERR_NOOPTIMIZEHW, "No hardware support for optimized surfaces is present."},
    {d3d7::DDERR_NOTLOADED, "The optimized surface has not had memory allocated yet."},
    {d3d7::DDERR_NOFOCUSWINDOW, "No focus window has been set for the exclusive mode."},
    {d3d7::DDERR_DCALREADYCREATED, "A device context has already been returned for this surface."},
    {d3d7::DDERR_NONONLOCALVIDMEM, "No display memory outside the adapter is available."},
    {d3d7::DDERR_CANTPAGELOCK, "The surface memory cannot be locked in place."},
    {d3d7::DDERR_CANTPAGEUNLOCK, "The surface memory cannot be released from its place."},
    {d3d7::DDERR_NOTPAGELOCKED, "The surface memory was not locked in place."},
    {d3d7::DDERR_MOREDATA, "More data is available than the buffer given can hold."},
    {d3d7::DDERR_EXPIRED, "The data has expired and is no longer valid."},
    {d3d7::DDERR_TESTFINISHED, "New for DirectX 7.0. The visual test has finished."},
    {d3d7::DDERR_NEWMODE, "New for DirectX 7.0. The display mode test can go on with the next mode."},
    {d3d7::DDERR_VIDEONOTACTIVE, "The video port is not active."},
    {d3d7::DDERR_NOMONITORINFORMATION, "New for DirectX 7.0. No information about the monitor is available."},
    {d3d7::DDERR_NODRIVERSUPPORT, "New for DirectX 7.0. The driver does not support the operation."},
    {d3d7::DDERR_DEVICEDOESNTOWNSURFACE, "Surfaces made by one DirectDraw device cannot be used by another."},
    {d3d7::DDERR_NOTINITIALIZED, "The DirectDraw object has not been initialized before this call."},
};

} // namespace

std::span<const D3DResultText> GetD3DResultTexts()
{
    return kTexts;
}

const char* FindD3DResultText(std::int32_t result)
{
    for (const D3DResultText& row : kTexts)
        if (row.result == result)
            return row.text;
    return nullptr;
}

std::string DescribeD3DResult(std::int32_t result)
{
    const char* text = FindD3DResultText(result);
    return text ? std::string(text) : "Unknown error (Code: " + IntToString(result, 0) + ")";
}

} // namespace OrvaneEngine
