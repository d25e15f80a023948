#pragma once

// Moving pictures between surfaces and onto the window. Platform-internal;
// main thread only.

#include "platform/d3d7/Types.h"

#include <cstdint>

namespace d3d7
{
class IDirectDrawSurface7;
}

namespace d3d7::detail
{

// Scales the colour surface into the window's drawable with its aspect
// kept (black bars around it), then swaps with the given interval.
HRESULT Present(IDirectDrawSurface7& source, HWND window, std::int32_t swapInterval);

// Reads a colour surface into a system-memory surface of the same size:
// top-down rows with its pitch, bytes R, G, B, 0 or 5-6-5 words, or R, G, B.
HRESULT ReadBack(IDirectDrawSurface7& source, IDirectDrawSurface7& target);

// Copies one colour surface onto another, scaled when the sizes differ.
HRESULT CopyColor(IDirectDrawSurface7& source, IDirectDrawSurface7& target);

// Copies between system-memory surfaces of the same size and depth.
HRESULT CopyMemory(IDirectDrawSurface7& source, IDirectDrawSurface7& target);

// The picture last presented stays readable until the next clear or scene.
void SetPresented(IDirectDrawSurface7* surface);
void InvalidatePresented();
void ForgetPresented(const IDirectDrawSurface7* surface);

} // namespace d3d7::detail
