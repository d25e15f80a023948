#pragma once

#include "platform/dsound/RefCounted.h"
#include "platform/dsound/Types.h"
#include "platform/win32/Types.h"

#include <cstdint>
#include <memory>

namespace dsound
{

class IDirectSoundBuffer;
class Mixer;

// The sound device: one output of the platform library that every buffer
// made from it is mixed into. The output closes when the last reference to
// the device and to every buffer made from it is gone.
class IDirectSound final : public RefCounted
{
public:
    // Levels DSSCL_NORMAL..DSSCL_WRITEPRIMARY; the window is not used.
    HRESULT SetCooperativeLevel(win32::HWND window, std::uint32_t level);

    // With DSBCAPS_PRIMARYBUFFER: the device's primary buffer (one per
    // device; asking again gives the same one with a new reference). Flags
    // may add DSBCAPS_CTRL3D and DSBCAPS_CTRLVOLUME; size 0, no format.
    // Otherwise a secondary buffer of silence: flags from DSBCAPS_STATIC,
    // DSBCAPS_CTRL3D (mono only), DSBCAPS_CTRLFREQUENCY, DSBCAPS_CTRLPAN,
    // DSBCAPS_CTRLVOLUME; a format IsSupportedPcm takes (else DSERR_BADFORMAT);
    // DSBSIZE_MIN..DSBSIZE_MAX bytes. The description's dwSize must be
    // sizeof(DSBUFFERDESC); its 3D algorithm is not used. `outer` must be null.
    HRESULT CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer, void* outer);
    // A new secondary buffer sharing the original's samples (see
    // SecondaryBuffer). The primary buffer cannot be duplicated.
    HRESULT DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate);

    // For the test hooks.
    Mixer& GetMixer() { return *mixer; }

private:
    friend HRESULT DirectSoundCreate(const GUID* device, IDirectSound** directSound, void* outer);

    explicit IDirectSound(std::shared_ptr<Mixer> owner);
    ~IDirectSound() override;

    HRESULT CreatePrimaryBuffer(const DSBUFFERDESC& description, IDirectSoundBuffer** buffer);
    HRESULT CreateSecondaryBuffer(const DSBUFFERDESC& description, IDirectSoundBuffer** buffer);

    const std::shared_ptr<Mixer> mixer;
};

// Opens the default output (`device` null) at 22050 Hz, 16-bit stereo with a
// 512-frame period, and starts mixing into it. Without a driver or an output
// device: DSERR_NODRIVER, with nothing left open.
HRESULT DirectSoundCreate(const GUID* device, IDirectSound** directSound, void* outer);

} // namespace dsound
