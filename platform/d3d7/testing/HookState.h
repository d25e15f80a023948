#pragma once

// The stand-in's side of the test hooks: injected failures, injected loss
// and the counters the tests read. Safe from any thread.

#include "platform/d3d7/MachineDescription.h"
#include "platform/d3d7/Types.h"

#include <atomic>
#include <cstdint>
#include <optional>

namespace d3d7::detail
{

enum class ObjectKind
{
    DirectDraw,
    Direct3D,
    Device,
    Surface,
    Clipper,
    Count
};

struct Counters
{
    std::atomic<std::uint32_t> presents{0};
    std::atomic<std::int32_t> swapInterval{-1};
    std::atomic<std::int32_t> live[static_cast<int>(ObjectKind::Count)] = {};
    std::atomic<std::uint32_t> offThreadGlCalls{0};
    std::atomic<std::uint32_t> textureUploads{0};
    std::atomic<std::int32_t> liveGlTextures{0};
    std::atomic<std::uint32_t> projectionSets{0};
    std::atomic<std::uint64_t> glCalls{0};
};

Counters& GetCounters();

// The last draw, for tests.
struct DrawRecord
{
    std::uint32_t primitiveType = 0;
    std::uint32_t fvf = 0;
    std::uint32_t vertexCount = 0;
    std::uint32_t indexCount = 0;
    std::uint32_t indexSize = 0;
};
void RecordDraw(const DrawRecord& record);

// True when a test asked the named call to fail now; code receives its result.
bool TakeInjectedFailure(const char* operation, HRESULT& code);

// Whether a test declared the surfaces lost, and what TestCooperativeLevel
// answers meanwhile.
bool AreSurfacesLost();
HRESULT GetLossCooperativeResult();
void EndSurfaceLoss();

// The machine a test put in place of the real one, if any.
std::optional<MachineDescription> GetInjectedMachine();

} // namespace d3d7::detail
