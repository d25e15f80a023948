#pragma once

#include "platform/dsound/Spatial.h"
#include "platform/dsound/Types.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace dsound
{

class IDirectSoundBuffer;
struct Voice;

// One audio output of the platform library and the voices mixed into it. The
// library's callback mixes on its own thread under Mutex(); every member
// marked "guarded" is read and written only with Mutex() held. The device
// itself (opening, closing, pausing) is handled without Mutex(), since closing
// waits for a callback that may be waiting for that mutex.
class Mixer
{
public:
    // Starts the audio side of the platform library and opens its default
    // output at 22050 Hz, 16-bit stereo; null when either is not possible, with
    // nothing left running.
    static std::shared_ptr<Mixer> Open();
    ~Mixer();
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    std::mutex& Mutex() { return mutex; }

    // Reopens the output in the new format unless it is the current one. On
    // refusal the old format is kept and DSERR_BADFORMAT returned.
    HRESULT SetOutputFormat(const WAVEFORMATEX& format);
    void SetPaused(bool paused);

    std::atomic<std::uint32_t> cooperativeLevel{0};

    // Guarded.
    WAVEFORMATEX OutputFormat() const { return output; }
    void AddVoice(Voice* voice);
    void RemoveVoice(Voice* voice);
    const std::vector<Voice*>& Voices() const { return voices; }
    bool AnyVoicePlaying() const;
    void SetMasterVolume(std::int32_t attenuation);
    std::int32_t MasterVolume() const { return masterVolume; }
    // Listener values: the pending ones wait for CommitDeferred.
    void SetListenerPosition(const Vector3f& position, bool deferred);
    void SetListenerOrientation(const Vector3f& front, const Vector3f& top, bool deferred);
    // Applies every pending listener and voice position.
    void CommitDeferred();
    const ListenerState& Listener() const { return listener; }
    // Writes `bytes` bytes of output (whole frames of the output format; a
    // partial frame at the end gets silence). Never allocates or logs.
    void Render(std::uint8_t* stream, std::size_t bytes);

    IDirectSoundBuffer* primary = nullptr; // guarded

private:
    // Frames mixed per pass; the accumulators hold one pass of stereo.
    static constexpr std::uint32_t passFrames = 512;
    // Voices summed in 32 bits before the sum moves to the wide accumulator:
    // each adds at most 32768 in magnitude.
    static constexpr std::uint32_t voicesPerFold = 65535;

    Mixer();
    bool OpenDevice();
    void CloseDevice();
    void UpdateSpatialGains();
    static void Callback(void* self, std::uint8_t* stream, int length);

    std::mutex mutex;
    std::mutex deviceMutex;
    bool audioStarted = false;  // under deviceMutex
    std::uint32_t deviceId = 0; // under deviceMutex
    bool paused = false;        // under deviceMutex

    WAVEFORMATEX output{};
    std::vector<Voice*> voices;
    std::int32_t masterVolume = 0;
    std::int32_t masterGain = 65536;
    ListenerState listener;
    ListenerState pendingListener;
    bool listenerPositionPending = false;
    bool listenerOrientationPending = false;
    std::array<std::int32_t, 2 * passFrames> accumulator{};
    std::array<std::int64_t, 2 * passFrames> wide{};
};

} // namespace dsound
