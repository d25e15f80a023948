#include "platform/dsound/SecondaryBuffer.h"

#include "platform/dsound/IDirectSound3DBuffer.h"
#include "platform/dsound/Mixer.h"
#include "platform/dsound/HookTable.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

namespace dsound
{
namespace
{
std::uint8_t SilenceOf(const WAVEFORMATEX& format)
{
    return format.wBitsPerSample == 8 ? 128 : 0;
}
} // namespace

SecondaryBuffer::SecondaryBuffer(std::shared_ptr<Mixer> owner, std::uint32_t flags, const WAVEFORMATEX& wave,
                                 std::shared_ptr<SampleMemory> memory)
    : IDirectSoundBuffer(std::move(owner)), capabilities(flags), format(wave),
      size(static_cast<std::uint32_t>(memory->size())),
      voice(this, std::move(memory), wave.nChannels, wave.wBitsPerSample, wave.nSamplesPerSec,
            (flags & DSBCAPS_CTRL3D) != 0)
{
    std::lock_guard lock(mixer->Mutex());
    mixer->AddVoice(&voice);
}

SecondaryBuffer::~SecondaryBuffer()
{
    std::lock_guard lock(mixer->Mutex());
    mixer->RemoveVoice(&voice);
}

HRESULT SecondaryBuffer::Play(std::uint32_t, std::uint32_t, std::uint32_t flags)
{
    std::lock_guard lock(mixer->Mutex());
    HRESULT result = DS_OK;
    if ((flags & ~DSBPLAY_LOOPING) != 0)
    {
        result = DSERR_INVALIDPARAM;
    }
    else if (voice.lost)
    {
        result = DSERR_BUFFERLOST;
    }
    else
    {
        voice.playing = true;
        voice.looping = (flags & DSBPLAY_LOOPING) != 0;
    }
    journal.Record(JournalCall::Play, flags, 0, result);
    return result;
}

HRESULT SecondaryBuffer::Stop()
{
    std::lock_guard lock(mixer->Mutex());
    voice.playing = false;
    journal.Record(JournalCall::Stop, 0, 0, DS_OK);
    return DS_OK;
}

HRESULT SecondaryBuffer::GetStatus(std::uint32_t* status)
{
    if (!status)
        return DSERR_INVALIDPARAM;
    std::lock_guard lock(mixer->Mutex());
    *status = 0;
    if (voice.playing)
        *status |= DSBSTATUS_PLAYING | (voice.looping ? DSBSTATUS_LOOPING : 0u);
    if (voice.lost)
        *status |= DSBSTATUS_BUFFERLOST;
    return DS_OK;
}

HRESULT SecondaryBuffer::Restore()
{
    if (const HRESULT hooked = detail::TakeFailure(detail::FailingCall::Restore))
        return hooked;
    std::lock_guard lock(mixer->Mutex());
    if (voice.lost)
    {
        std::fill(voice.samples->begin(), voice.samples->end(), SilenceOf(format));
        voice.lost = false;
    }
    return DS_OK;
}

HRESULT SecondaryBuffer::GetCurrentPosition(std::uint32_t* play, std::uint32_t* write)
{
    std::lock_guard lock(mixer->Mutex());
    const std::uint32_t cursor = voice.CursorBytes();
    if (play)
        *play = cursor;
    if (write)
        *write = cursor;
    return DS_OK;
}

HRESULT SecondaryBuffer::SetCurrentPosition(std::uint32_t offset)
{
    std::lock_guard lock(mixer->Mutex());
    HRESULT result = DS_OK;
    if (offset >= size)
        result = DSERR_INVALIDPARAM;
    else
        voice.SetCursorBytes(offset);
    journal.Record(JournalCall::SetCurrentPosition, offset, 0, result);
    return result;
}

HRESULT SecondaryBuffer::Lock(std::uint32_t offset, std::uint32_t bytes, void** first, std::uint32_t* firstBytes,
                              void** second, std::uint32_t* secondBytes, std::uint32_t flags)
{
    std::lock_guard lock(mixer->Mutex());
    HRESULT result = DS_OK;
    if (!first || !firstBytes || flags != 0 || offset >= size || bytes == 0 || bytes > size)
        result = DSERR_INVALIDPARAM;
    else if (voice.lost)
        result = DSERR_BUFFERLOST;
    else if (locked)
        result = DSERR_INVALIDCALL;
    journal.Record(JournalCall::Lock, offset, bytes, result);
    if (result != DS_OK)
        return result;

    const bool wraps = second && secondBytes;
    lockOffset = offset;
    lockFirst = std::min(bytes, size - offset);
    lockSecond = wraps ? bytes - lockFirst : 0;
    staging.resize(static_cast<std::size_t>(lockFirst) + lockSecond);
    const std::uint8_t* samples = voice.samples->data();
    std::memcpy(staging.data(), samples + offset, lockFirst);
    std::memcpy(staging.data() + lockFirst, samples, lockSecond);
    locked = true;

    *first = staging.data();
    *firstBytes = lockFirst;
    if (second)
        *second = lockSecond != 0 ? staging.data() + lockFirst : nullptr;
    if (secondBytes)
        *secondBytes = lockSecond;
    return DS_OK;
}

HRESULT SecondaryBuffer::Unlock(void* first, std::uint32_t firstBytes, void* second, std::uint32_t secondBytes)
{
    std::lock_guard lock(mixer->Mutex());
    if (!locked)
        return DSERR_INVALIDCALL;
    locked = false;
    if (first != staging.data() || firstBytes > lockFirst || secondBytes > lockSecond ||
        (secondBytes != 0 && second != staging.data() + lockFirst))
        return DSERR_INVALIDPARAM;
    if (voice.lost)
        return DSERR_BUFFERLOST;
    std::uint8_t* samples = voice.samples->data();
    std::memcpy(samples + lockOffset, staging.data(), firstBytes);
    std::memcpy(samples, staging.data() + lockFirst, secondBytes);
    return DS_OK;
}

HRESULT SecondaryBuffer::SetVolume(std::int32_t volume)
{
    std::lock_guard lock(mixer->Mutex());
    HRESULT result = DS_OK;
    if ((capabilities & DSBCAPS_CTRLVOLUME) == 0)
    {
        result = DSERR_CONTROLUNAVAIL;
    }
    else if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX)
    {
        result = DSERR_INVALIDPARAM;
    }
    else
    {
        voice.volume = volume;
        voice.UpdateGains(mixer->Listener());
    }
    journal.Record(JournalCall::SetVolume, volume, 0, result);
    return result;
}

HRESULT SecondaryBuffer::GetVolume(std::int32_t* volume)
{
    if (!volume)
        return DSERR_INVALIDPARAM;
    if ((capabilities & DSBCAPS_CTRLVOLUME) == 0)
        return DSERR_CONTROLUNAVAIL;
    std::lock_guard lock(mixer->Mutex());
    *volume = voice.volume;
    return DS_OK;
}

HRESULT SecondaryBuffer::SetFrequency(std::uint32_t frequency)
{
    std::lock_guard lock(mixer->Mutex());
    HRESULT result = DS_OK;
    if ((capabilities & DSBCAPS_CTRLFREQUENCY) == 0)
        result = DSERR_CONTROLUNAVAIL;
    else if (frequency != DSBFREQUENCY_ORIGINAL && (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX))
        result = DSERR_INVALIDPARAM;
    else
        voice.frequency = frequency == DSBFREQUENCY_ORIGINAL ? voice.formatRate : frequency;
    journal.Record(JournalCall::SetFrequency, frequency, 0, result);
    return result;
}

HRESULT SecondaryBuffer::GetFrequency(std::uint32_t* frequency)
{
    if (!frequency)
        return DSERR_INVALIDPARAM;
    if ((capabilities & DSBCAPS_CTRLFREQUENCY) == 0)
        return DSERR_CONTROLUNAVAIL;
    std::lock_guard lock(mixer->Mutex());
    *frequency = voice.frequency;
    return DS_OK;
}

HRESULT SecondaryBuffer::SetPan(std::int32_t pan)
{
    if ((capabilities & DSBCAPS_CTRLPAN) == 0)
        return DSERR_CONTROLUNAVAIL;
    if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT)
        return DSERR_INVALIDPARAM;
    std::lock_guard lock(mixer->Mutex());
    voice.pan = pan;
    voice.UpdateGains(mixer->Listener());
    return DS_OK;
}

HRESULT SecondaryBuffer::GetPan(std::int32_t* pan)
{
    if (!pan)
        return DSERR_INVALIDPARAM;
    if ((capabilities & DSBCAPS_CTRLPAN) == 0)
        return DSERR_CONTROLUNAVAIL;
    std::lock_guard lock(mixer->Mutex());
    *pan = voice.pan;
    return DS_OK;
}

HRESULT SecondaryBuffer::SetFormat(const WAVEFORMATEX*)
{
    return DSERR_INVALIDCALL;
}

HRESULT SecondaryBuffer::QueryInterface(const GUID&, IDirectSound3DListener** listener)
{
    if (!listener)
        return DSERR_INVALIDPARAM;
    *listener = nullptr;
    return DSERR_NOINTERFACE;
}

HRESULT SecondaryBuffer::QueryInterface(const GUID& interfaceId, IDirectSound3DBuffer** buffer)
{
    if (!buffer)
        return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    if (interfaceId != IID_IDirectSound3DBuffer)
        return DSERR_NOINTERFACE;
    if (const HRESULT hooked = detail::TakeFailure(detail::FailingCall::Buffer3D))
        return hooked;
    if ((capabilities & DSBCAPS_CTRL3D) == 0)
        return DSERR_NOINTERFACE;
    *buffer = new IDirectSound3DBuffer(this);
    return DS_OK;
}

void SecondaryBuffer::MarkLost()
{
    std::lock_guard lock(mixer->Mutex());
    voice.lost = true;
    voice.playing = false;
}

HRESULT SecondaryBuffer::SetPosition3D(float x, float y, float z, std::uint32_t apply)
{
    if (apply > DS3D_DEFERRED || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z))
        return DSERR_INVALIDPARAM;
    std::lock_guard lock(mixer->Mutex());
    if (apply == DS3D_DEFERRED)
    {
        voice.pendingPosition = {x, y, z};
        voice.positionPending = true;
        return DS_OK;
    }
    voice.position = {x, y, z};
    voice.positionPending = false;
    voice.UpdateGains(mixer->Listener());
    return DS_OK;
}

} // namespace dsound
