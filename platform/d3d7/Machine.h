#pragma once

// The machine the stand-in's calls describe. Platform-internal.

#include "platform/d3d7/MachineDescription.h"

namespace d3d7::detail
{

struct GlLimits;

// The injected machine cut to what GL offers, or the default one. Makes the
// GL context when there is none; without a usable GL no device is listed.
MachineDescription GetMachine();

MachineDescription BuildDefaultMachine(const GlLimits& limits);

// The adapter a GUID pointer names (null: the primary display driver), or null.
const AdapterDescription* FindAdapter(const MachineDescription& machine, const GUID* guid);

// The adapter's current desktop; the primary one's is the platform's desktop.
win32::DesktopMode GetAdapterDesktop(const AdapterDescription& adapter);

// 24-bit desktops are reported as 32 bits: that is the mode they match.
std::uint32_t ReportedDepth(std::uint32_t bitsPerPixel);

// The colour pixel format of a 16- or 32-bit surface.
DDPIXELFORMAT MakeColorFormat(std::uint32_t bitsPerPixel);

} // namespace d3d7::detail
