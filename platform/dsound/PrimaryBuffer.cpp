#include "platform/dsound/PrimaryBuffer.h"

#include "platform/dsound/IDirectSound3DListener.h"
#include "platform/dsound/Mixer.h"
#include "platform/dsound/PcmFormat.h"
#include "platform/dsound/HookTable.h"

#include <mutex>

namespace dsound
{

PrimaryBuffer::PrimaryBuffer(std::shared_ptr<Mixer> owner, std::uint32_t flags)
    : IDirectSoundBuffer(std::move(owner)), capabilities(flags)
{
    std::lock_guard lock(mixer->Mutex());
    mixer->primary = this;
}

PrimaryBuffer::~PrimaryBuffer()
{
    std::lock_guard lock(mixer->Mutex());
    mixer->primary = nullptr;
}

HRESULT PrimaryBuffer::Play(std::uint32_t, std::uint32_t, std::uint32_t flags)
{
    std::lock_guard lock(mixer->Mutex());
    HRESULT result = DS_OK;
    if ((flags & ~DSBPLAY_LOOPING) != 0)
        result = DSERR_INVALIDPARAM;
    else if (lost)
        result = DSERR_BUFFERLOST;
    journal.Record(JournalCall::Play, flags, 0, result);
    return result;
}

HRESULT PrimaryBuffer::Stop()
{
    std::lock_guard lock(mixer->Mutex());
    journal.Record(JournalCall::Stop, 0, 0, DS_OK);
    return DS_OK;
}

HRESULT PrimaryBuffer::GetStatus(std::uint32_t* status)
{
    if (!status)
        return DSERR_INVALIDPARAM;
    std::lock_guard lock(mixer->Mutex());
    *status = (mixer->AnyVoicePlaying() ? DSBSTATUS_PLAYING : 0u) | (lost ? DSBSTATUS_BUFFERLOST : 0u);
    return DS_OK;
}

HRESULT PrimaryBuffer::Restore()
{
    if (const HRESULT hooked = detail::TakeFailure(detail::FailingCall::Restore))
        return hooked;
    std::lock_guard lock(mixer->Mutex());
    lost = false;
    return DS_OK;
}

HRESULT PrimaryBuffer::GetCurrentPosition(std::uint32_t*, std::uint32_t*)
{
    return DSERR_INVALIDCALL;
}

HRESULT PrimaryBuffer::SetCurrentPosition(std::uint32_t)
{
    return DSERR_INVALIDCALL;
}

HRESULT PrimaryBuffer::Lock(std::uint32_t, std::uint32_t, void**, std::uint32_t*, void**, std::uint32_t*,
                            std::uint32_t)
{
    return DSERR_INVALIDCALL;
}

HRESULT PrimaryBuffer::Unlock(void*, std::uint32_t, void*, std::uint32_t)
{
    return DSERR_INVALIDCALL;
}

HRESULT PrimaryBuffer::SetVolume(std::int32_t volume)
{
    std::lock_guard lock(mixer->Mutex());
    HRESULT result = DS_OK;
    if ((capabilities & DSBCAPS_CTRLVOLUME) == 0)
        result = DSERR_CONTROLUNAVAIL;
    else if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX)
        result = DSERR_INVALIDPARAM;
    else
        mixer->SetMasterVolume(volume);
    journal.Record(JournalCall::SetVolume, volume, 0, result);
    return result;
}

HRESULT PrimaryBuffer::GetVolume(std::int32_t* volume)
{
    if (!volume)
        return DSERR_INVALIDPARAM;
    if ((capabilities & DSBCAPS_CTRLVOLUME) == 0)
        return DSERR_CONTROLUNAVAIL;
    std::lock_guard lock(mixer->Mutex());
    *volume = mixer->MasterVolume();
    return DS_OK;
}

HRESULT PrimaryBuffer::SetFrequency(std::uint32_t)
{
    return DSERR_CONTROLUNAVAIL;
}

HRESULT PrimaryBuffer::GetFrequency(std::uint32_t*)
{
    return DSERR_CONTROLUNAVAIL;
}

HRESULT PrimaryBuffer::SetPan(std::int32_t)
{
    return DSERR_CONTROLUNAVAIL;
}

HRESULT PrimaryBuffer::GetPan(std::int32_t*)
{
    return DSERR_CONTROLUNAVAIL;
}

HRESULT PrimaryBuffer::SetFormat(const WAVEFORMATEX* format)
{
    if (const HRESULT hooked = detail::TakeFailure(detail::FailingCall::SetFormat))
        return hooked;
    if (!format)
        return DSERR_INVALIDPARAM;
    if (mixer->cooperativeLevel < DSSCL_PRIORITY)
        return DSERR_PRIOLEVELNEEDED;
    if (!IsSupportedPcm(*format))
        return DSERR_BADFORMAT;
    return mixer->SetOutputFormat(*format);
}

HRESULT PrimaryBuffer::QueryInterface(const GUID& interfaceId, IDirectSound3DListener** listener)
{
    if (!listener)
        return DSERR_INVALIDPARAM;
    *listener = nullptr;
    if (interfaceId != IID_IDirectSound3DListener)
        return DSERR_NOINTERFACE;
    if (const HRESULT hooked = detail::TakeFailure(detail::FailingCall::Listener))
        return hooked;
    if ((capabilities & DSBCAPS_CTRL3D) == 0)
        return DSERR_NOINTERFACE;
    *listener = new IDirectSound3DListener(mixer);
    return DS_OK;
}

HRESULT PrimaryBuffer::QueryInterface(const GUID&, IDirectSound3DBuffer** buffer)
{
    if (!buffer)
        return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    return DSERR_NOINTERFACE;
}

void PrimaryBuffer::MarkLost()
{
    std::lock_guard lock(mixer->Mutex());
    lost = true;
}

} // namespace dsound
