#pragma once

#include "platform/d3d7/MachineDescription.h"
#include "platform/d3d7/Types.h"

#include <cstdint>
#include <string>

namespace d3d7::testing
{

// The machine as the stand-in describes it without injection: one primary
// adapter over the GL context, its desktop, the usual modes and two devices.
// Makes the GL context when there is none.
MachineDescription GetDefaultMachine();

// Puts a machine of the test's own in place of the real one; capabilities
// and depth formats beyond what GL offers are cut to it. The first primary
// adapter's desktop becomes the platform's desktop, so the window code sees
// it too.
void SetMachine(const MachineDescription& machine);
void ResetMachine();

// The named call (such as "CreateDevice", "SetCooperativeLevel" or "Blt")
// lets `skip` calls pass, then returns `code` for the next `count` calls.
void FailCall(const std::string& operation, HRESULT code, std::uint32_t count = 1, std::uint32_t skip = 0);
void ClearFailures();

// Declares every surface lost. Until RestoreAllSurfaces succeeds,
// TestCooperativeLevel returns `cooperativeResult` and BeginScene,
// EndScene, Flip and Blt return DDERR_SURFACELOST. Calling it again while
// lost only changes what TestCooperativeLevel returns (the program became
// active again, say).
void LoseSurfaces(HRESULT cooperativeResult);
bool AreSurfacesLost();

enum class ObjectKind
{
    DirectDraw,
    Direct3D,
    Device,
    Surface,
    Clipper,
};

std::uint32_t GetPresentCount();
// -1 until the first present.
std::int32_t GetLastSwapInterval();
std::int32_t GetLiveObjectCount(ObjectKind kind);
std::int32_t GetLiveObjectTotal();
std::uint32_t GetOffThreadGlCalls();

// Texture surfaces filled into GL textures; GL texture names alive; the
// device's projection sets; GL calls made for drawing (a running count).
std::uint32_t GetTextureUploadCount();
std::int32_t GetLiveGlTextureCount();
std::uint32_t GetProjectionSetCount();
std::uint64_t GetGlCallCount();

struct DrawRecord
{
    std::uint32_t primitiveType = 0;
    std::uint32_t fvf = 0;
    std::uint32_t vertexCount = 0;
    std::uint32_t indexCount = 0;
    // 2 or 4 bytes.
    std::uint32_t indexSize = 0;
    // Draws since the last ResetAll.
    std::uint32_t draws = 0;
};
DrawRecord GetLastDraw();

// Machine, failures, loss and counters back to their start (live object
// and GL texture counts are kept: they describe objects that still exist).
void ResetAll();

} // namespace d3d7::testing
