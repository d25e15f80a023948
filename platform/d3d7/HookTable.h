#pragma once

// Where a test program's hook library (platform/d3d7/testing) steps in: calls
// it makes fail, surfaces it declares lost, a machine of its own, and what it
// records of the draws. The shipped program links no hook library: the table
// stays null, and each hook point costs one atomic load.

#include "platform/d3d7/MachineDescription.h"
#include "platform/d3d7/Types.h"

#include <atomic>
#include <cstdint>
#include <optional>

namespace d3d7::detail
{

struct DrawRecord
{
    std::uint32_t primitiveType = 0;
    std::uint32_t fvf = 0;
    std::uint32_t vertexCount = 0;
    std::uint32_t indexCount = 0;
    std::uint32_t indexSize = 0;
};

// Every entry is set.
struct HookTable
{
    // True when a test asked the named call to fail now; code receives its result.
    bool (*takeFailure)(const char* operation, HRESULT& code);
    // Whether the surfaces are declared lost, and what TestCooperativeLevel
    // answers meanwhile (DD_OK when they are not).
    bool (*surfacesLost)();
    HRESULT (*lossCooperativeResult)();
    void (*endSurfaceLoss)();
    std::optional<MachineDescription> (*machine)();
    void (*recordDraw)(const DrawRecord& record);
    void (*countGlCalls)(std::uint32_t count);
};

inline constinit std::atomic<const HookTable*> hookTable{nullptr};

inline const HookTable* Hooks() noexcept
{
    return hookTable.load(std::memory_order_acquire);
}

inline bool TakeInjectedFailure(const char* operation, HRESULT& code)
{
    const HookTable* hooks = Hooks();
    return hooks != nullptr && hooks->takeFailure(operation, code);
}

inline bool AreSurfacesLost()
{
    const HookTable* hooks = Hooks();
    return hooks != nullptr && hooks->surfacesLost();
}

inline HRESULT GetLossCooperativeResult()
{
    const HookTable* hooks = Hooks();
    return hooks != nullptr ? hooks->lossCooperativeResult() : HRESULT{0};
}

inline void EndSurfaceLoss()
{
    if (const HookTable* hooks = Hooks())
        hooks->endSurfaceLoss();
}

inline std::optional<MachineDescription> GetInjectedMachine()
{
    const HookTable* hooks = Hooks();
    return hooks != nullptr ? hooks->machine() : std::nullopt;
}

inline void RecordDraw(const DrawRecord& record)
{
    if (const HookTable* hooks = Hooks())
        hooks->recordDraw(record);
}

} // namespace d3d7::detail
