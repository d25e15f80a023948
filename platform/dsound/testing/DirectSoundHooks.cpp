#include "platform/dsound/testing/DirectSoundHooks.h"

#include "platform/dsound/IDirectSound.h"
#include "platform/dsound/IDirectSoundBuffer.h"
#include "platform/dsound/Mixer.h"
#include "platform/dsound/Voice.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <mutex>

namespace dsound::testing
{
namespace
{
constexpr std::size_t callKinds = static_cast<std::size_t>(FailingCall::Restore) + 1;

std::array<std::atomic<HRESULT>, callKinds> failures{};
std::atomic<bool> journalEnabled{false};

std::mutex devicesMutex;
std::vector<IDirectSound*> devices;
} // namespace

void FailNextCall(FailingCall call, HRESULT code)
{
    failures[static_cast<std::size_t>(call)] = code;
}

void ClearFailures()
{
    for (auto& failure : failures)
        failure = DS_OK;
}

void MarkLost(IDirectSoundBuffer* buffer)
{
    buffer->MarkLost();
}

void SetJournalEnabled(bool on)
{
    journalEnabled = on;
}

std::vector<JournalEntry> GetJournal(IDirectSoundBuffer* buffer)
{
    std::lock_guard lock(buffer->GetMixer().Mutex());
    return buffer->GetJournal().Entries();
}

void ClearJournal(IDirectSoundBuffer* buffer)
{
    std::lock_guard lock(buffer->GetMixer().Mutex());
    buffer->GetJournal().Clear();
}

std::vector<IDirectSound*> GetDevices()
{
    std::lock_guard lock(devicesMutex);
    return devices;
}

IDirectSoundBuffer* GetPrimaryBuffer(IDirectSound* device)
{
    std::lock_guard lock(device->GetMixer().Mutex());
    return device->GetMixer().primary;
}

std::vector<IDirectSoundBuffer*> GetSecondaryBuffers(IDirectSound* device)
{
    Mixer& mixer = device->GetMixer();
    std::lock_guard lock(mixer.Mutex());
    std::vector<IDirectSoundBuffer*> buffers;
    for (const Voice* voice : mixer.Voices())
        buffers.push_back(voice->owner);
    return buffers;
}

void SetDevicePaused(IDirectSound* device, bool paused)
{
    device->GetMixer().SetPaused(paused);
}

std::vector<std::uint8_t> MixBytes(IDirectSound* device, std::uint32_t frames)
{
    Mixer& mixer = device->GetMixer();
    std::lock_guard lock(mixer.Mutex());
    const WAVEFORMATEX format = mixer.OutputFormat();
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(frames) * format.nChannels * format.wBitsPerSample / 8);
    mixer.Render(bytes.data(), bytes.size());
    return bytes;
}

std::vector<std::int16_t> Mix(IDirectSound* device, std::uint32_t frames)
{
    const std::vector<std::uint8_t> bytes = MixBytes(device, frames);
    std::vector<std::int16_t> samples(bytes.size() / sizeof(std::int16_t));
    std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(std::int16_t));
    return samples;
}

bool IsAudioStarted()
{
    return SDL_WasInit(SDL_INIT_AUDIO) != 0;
}

namespace
{

HRESULT TakeFailure(FailingCall call)
{
    return failures[static_cast<std::size_t>(call)].exchange(DS_OK);
}

bool IsJournalEnabled()
{
    return journalEnabled;
}

void RegisterDevice(IDirectSound* device)
{
    std::lock_guard lock(devicesMutex);
    devices.push_back(device);
}

void UnregisterDevice(IDirectSound* device)
{
    std::lock_guard lock(devicesMutex);
    devices.erase(std::remove(devices.begin(), devices.end(), device), devices.end());
}

constexpr detail::HookTable table{
    .takeFailure = TakeFailure,
    .isJournalEnabled = IsJournalEnabled,
    .registerDevice = RegisterDevice,
    .unregisterDevice = UnregisterDevice,
};

// Runs before main in every program that links the hook library.
const bool installed = (detail::hookTable.store(&table, std::memory_order_release), true);

} // namespace

} // namespace dsound::testing
