#pragma once

#include "platform/dsound/Journal.h"
#include "platform/dsound/RefCounted.h"
#include "platform/dsound/Types.h"

#include <cstdint>
#include <memory>

namespace dsound
{

class IDirectSound3DBuffer;
class IDirectSound3DListener;
class Mixer;

// A sound buffer made by IDirectSound::CreateSoundBuffer: the primary buffer
// (the device's output: format, master volume, listener) or a secondary one
// (samples that play as one voice). Calls a kind of buffer does not support
// answer DSERR_INVALIDCALL, or DSERR_CONTROLUNAVAIL for a control. Every call
// may come from any thread.
class IDirectSoundBuffer : public RefCounted
{
public:
    // Starts playing from the cursor; flags 0 or DSBPLAY_LOOPING. On a playing
    // buffer only the looping flag changes. The reserved and priority values
    // are ignored.
    virtual HRESULT Play(std::uint32_t reserved, std::uint32_t priority, std::uint32_t flags) = 0;
    // Stops; the cursor stays where it is.
    virtual HRESULT Stop() = 0;
    // DSBSTATUS_* bits.
    virtual HRESULT GetStatus(std::uint32_t* status) = 0;
    // Gives lost memory back (secondary buffers: cleared to silence).
    virtual HRESULT Restore() = 0;

    // Play and write cursors, in bytes; either pointer may be null. Data ahead
    // of the play cursor has not been read yet, so both are the same.
    virtual HRESULT GetCurrentPosition(std::uint32_t* play, std::uint32_t* write) = 0;
    // Moves the cursor to the whole frame holding the byte offset (< size).
    virtual HRESULT SetCurrentPosition(std::uint32_t offset) = 0;
    // Hands out `bytes` bytes from `offset` as one region, or two when the
    // range runs past the end (the second starts at 0). The regions are a copy
    // that only Unlock writes back; one lock at a time. Flags must be 0. With a
    // null second pointer a wrapping range is cut at the end.
    virtual HRESULT Lock(std::uint32_t offset, std::uint32_t bytes, void** first, std::uint32_t* firstBytes,
                         void** second, std::uint32_t* secondBytes, std::uint32_t flags) = 0;
    // Writes back the given number of bytes of each region Lock gave out.
    virtual HRESULT Unlock(void* first, std::uint32_t firstBytes, void* second, std::uint32_t secondBytes) = 0;

    // Attenuation in hundredths of a decibel, DSBVOLUME_MIN..DSBVOLUME_MAX;
    // needs DSBCAPS_CTRLVOLUME. On the primary buffer it is the master volume.
    virtual HRESULT SetVolume(std::int32_t volume) = 0;
    virtual HRESULT GetVolume(std::int32_t* volume) = 0;
    // Playback rate in Hz, DSBFREQUENCY_MIN..DSBFREQUENCY_MAX, or
    // DSBFREQUENCY_ORIGINAL for the format's rate; needs DSBCAPS_CTRLFREQUENCY.
    virtual HRESULT SetFrequency(std::uint32_t frequency) = 0;
    virtual HRESULT GetFrequency(std::uint32_t* frequency) = 0;
    // DSBPAN_LEFT..DSBPAN_RIGHT: the other channel is attenuated by |pan|
    // hundredths of a decibel; needs DSBCAPS_CTRLPAN.
    virtual HRESULT SetPan(std::int32_t pan) = 0;
    virtual HRESULT GetPan(std::int32_t* pan) = 0;

    // Output format of the device (primary buffer only, cooperative level
    // DSSCL_PRIORITY or above): PCM, 1 or 2 channels, 8 or 16 bits, 100 to
    // 200000 Hz.
    virtual HRESULT SetFormat(const WAVEFORMATEX* format) = 0;

    // The listener (primary buffer made with DSBCAPS_CTRL3D) or the 3D buffer
    // (mono secondary buffer made with DSBCAPS_CTRL3D); otherwise
    // DSERR_NOINTERFACE. The object comes with one reference.
    virtual HRESULT QueryInterface(const GUID& interfaceId, IDirectSound3DListener** listener) = 0;
    virtual HRESULT QueryInterface(const GUID& interfaceId, IDirectSound3DBuffer** buffer) = 0;

    // For the device and the test hooks.
    virtual bool IsPrimary() const = 0;
    virtual void MarkLost() = 0;
    Mixer& GetMixer() { return *mixer; }
    // Guarded by the mixer's mutex.
    Journal& GetJournal() { return journal; }

protected:
    explicit IDirectSoundBuffer(std::shared_ptr<Mixer> owner);
    ~IDirectSoundBuffer() override;

    const std::shared_ptr<Mixer> mixer;
    Journal journal;
};

} // namespace dsound
