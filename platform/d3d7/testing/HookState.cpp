#include "platform/d3d7/testing/D3D7Hooks.h"

#include "platform/d3d7/Counters.h"
#include "platform/d3d7/HookTable.h"
#include "platform/d3d7/Results.h"
#include "platform/win32/testing/DesktopHooks.h"

#include <map>
#include <mutex>
#include <string>

namespace d3d7
{
namespace
{

struct FailurePlan
{
    HRESULT code = DD_OK;
    std::uint32_t count = 0;
    std::uint32_t skip = 0;
};

// The hooks that every draw passes (failures, loss, the draw record, the GL
// call count) answer from atomics when nothing is armed, so that benchmarks
// measure the stand-in rather than its hooks.
struct State
{
    std::mutex lock;
    std::map<std::string, FailurePlan> failures;
    std::atomic<bool> anyFailures{false};
    std::atomic<bool> lost{false};
    HRESULT lossResult = DD_OK;
    std::optional<MachineDescription> machine;
    std::atomic<std::uint32_t> lastDraw[5] = {};
    std::atomic<std::uint32_t> draws{0};
    std::atomic<std::uint64_t> glCalls{0};
};

State& GetState()
{
    static State state;
    return state;
}

} // namespace

namespace
{

void RecordDraw(const detail::DrawRecord& record)
{
    State& state = GetState();
    const std::uint32_t fields[5] = {record.primitiveType, record.fvf, record.vertexCount, record.indexCount,
                                     record.indexSize};
    for (int i = 0; i < 5; ++i)
        state.lastDraw[i].store(fields[i], std::memory_order_relaxed);
    state.draws.fetch_add(1, std::memory_order_relaxed);
}

bool TakeInjectedFailure(const char* operation, HRESULT& code)
{
    State& state = GetState();
    if (!state.anyFailures.load(std::memory_order_acquire))
        return false;
    std::lock_guard guard(state.lock);
    const auto it = state.failures.find(operation);
    if (it == state.failures.end())
        return false;
    FailurePlan& plan = it->second;
    if (plan.skip > 0)
    {
        --plan.skip;
        return false;
    }
    if (plan.count == 0)
        return false;
    --plan.count;
    code = plan.code;
    if (plan.count == 0)
    {
        state.failures.erase(it);
        state.anyFailures = !state.failures.empty();
    }
    return true;
}

bool SurfacesLost()
{
    return GetState().lost.load(std::memory_order_acquire);
}

HRESULT LossCooperativeResult()
{
    State& state = GetState();
    std::lock_guard guard(state.lock);
    return state.lossResult;
}

void EndSurfaceLoss()
{
    State& state = GetState();
    std::lock_guard guard(state.lock);
    state.lost = false;
    state.lossResult = DD_OK;
}

std::optional<MachineDescription> InjectedMachine()
{
    State& state = GetState();
    std::lock_guard guard(state.lock);
    return state.machine;
}

void CountGlCalls(std::uint32_t count)
{
    GetState().glCalls.fetch_add(count, std::memory_order_relaxed);
}

constexpr detail::HookTable table{
    .takeFailure = TakeInjectedFailure,
    .surfacesLost = SurfacesLost,
    .lossCooperativeResult = LossCooperativeResult,
    .endSurfaceLoss = EndSurfaceLoss,
    .machine = InjectedMachine,
    .recordDraw = RecordDraw,
    .countGlCalls = CountGlCalls,
};

// Runs before main in every program that links the hook library.
const bool installed = (detail::hookTable.store(&table, std::memory_order_release), true);

} // namespace

namespace testing
{

void SetMachine(const MachineDescription& machine)
{
    {
        State& state = GetState();
        std::lock_guard guard(state.lock);
        state.machine = machine;
    }
    for (const AdapterDescription& adapter : machine.adapters)
    {
        if (adapter.primary)
        {
            win32::testing::SetDesktopMode(adapter.desktop);
            break;
        }
    }
}

void ResetMachine()
{
    State& state = GetState();
    std::lock_guard guard(state.lock);
    if (state.machine)
        win32::testing::ResetDesktopMode();
    state.machine.reset();
}

void FailCall(const std::string& operation, HRESULT code, std::uint32_t count, std::uint32_t skip)
{
    State& state = GetState();
    std::lock_guard guard(state.lock);
    state.failures[operation] = FailurePlan{code, count, skip};
    state.anyFailures = true;
}

void ClearFailures()
{
    State& state = GetState();
    std::lock_guard guard(state.lock);
    state.failures.clear();
    state.anyFailures = false;
}

void LoseSurfaces(HRESULT cooperativeResult)
{
    State& state = GetState();
    std::lock_guard guard(state.lock);
    state.lost = true;
    state.lossResult = cooperativeResult;
}

bool AreSurfacesLost()
{
    return SurfacesLost();
}

std::uint32_t GetPresentCount()
{
    return detail::GetCounters().presents;
}

std::int32_t GetLastSwapInterval()
{
    return detail::GetCounters().swapInterval;
}

std::int32_t GetLiveObjectCount(ObjectKind kind)
{
    return detail::GetCounters().live[static_cast<int>(kind)];
}

std::int32_t GetLiveObjectTotal()
{
    std::int32_t total = 0;
    for (const auto& count : detail::GetCounters().live)
        total += count;
    return total;
}

std::uint32_t GetOffThreadGlCalls()
{
    return detail::GetCounters().offThreadGlCalls;
}

std::uint32_t GetTextureUploadCount()
{
    return detail::GetCounters().textureUploads;
}

std::int32_t GetLiveGlTextureCount()
{
    return detail::GetCounters().liveGlTextures;
}

std::uint32_t GetProjectionSetCount()
{
    return detail::GetCounters().projectionSets;
}

std::uint64_t GetGlCallCount()
{
    return GetState().glCalls;
}

DrawRecord GetLastDraw()
{
    const State& state = GetState();
    return DrawRecord{state.lastDraw[0], state.lastDraw[1], state.lastDraw[2], state.lastDraw[3], state.lastDraw[4],
                      state.draws};
}

void ResetAll()
{
    ResetMachine();
    ClearFailures();
    EndSurfaceLoss();
    detail::GetCounters().presents = 0;
    detail::GetCounters().swapInterval = -1;
    detail::GetCounters().offThreadGlCalls = 0;
    detail::GetCounters().textureUploads = 0;
    detail::GetCounters().projectionSets = 0;
    State& state = GetState();
    for (auto& field : state.lastDraw)
        field = 0;
    state.draws = 0;
    state.glCalls = 0;
}

} // namespace testing

} // namespace d3d7
