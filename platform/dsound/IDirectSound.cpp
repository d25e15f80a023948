#include "platform/dsound/IDirectSound.h"

#include "platform/dsound/Mixer.h"
#include "platform/dsound/PcmFormat.h"
#include "platform/dsound/PrimaryBuffer.h"
#include "platform/dsound/SecondaryBuffer.h"
#include "platform/dsound/HookTable.h"

#include <mutex>
#include <new>

namespace dsound
{
namespace
{
constexpr std::uint32_t primaryFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRL3D | DSBCAPS_CTRLVOLUME;
constexpr std::uint32_t secondaryFlags =
    DSBCAPS_STATIC | DSBCAPS_CTRL3D | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
} // namespace

HRESULT DirectSoundCreate(const GUID* device, IDirectSound** directSound, void* outer)
{
    if (!directSound)
        return DSERR_INVALIDPARAM;
    *directSound = nullptr;
    if (outer)
        return DSERR_NOAGGREGATION;
    if (const HRESULT hooked = detail::TakeFailure(detail::FailingCall::Device))
        return hooked;
    // Only the default output is known by GUID.
    if (device && *device != GUID{})
        return DSERR_NODRIVER;
    std::shared_ptr<Mixer> mixer = Mixer::Open();
    if (!mixer)
        return DSERR_NODRIVER;
    *directSound = new IDirectSound(std::move(mixer));
    return DS_OK;
}

IDirectSound::IDirectSound(std::shared_ptr<Mixer> owner) : mixer(std::move(owner))
{
    detail::RegisterDevice(this);
}

IDirectSound::~IDirectSound()
{
    detail::UnregisterDevice(this);
}

HRESULT IDirectSound::SetCooperativeLevel(win32::HWND, std::uint32_t level)
{
    if (const HRESULT hooked = detail::TakeFailure(detail::FailingCall::CooperativeLevel))
        return hooked;
    if (level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY)
        return DSERR_INVALIDPARAM;
    mixer->cooperativeLevel = level;
    return DS_OK;
}

HRESULT IDirectSound::CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer, void* outer)
{
    if (!buffer)
        return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    if (!description)
        return DSERR_INVALIDPARAM;
    if (outer)
        return DSERR_NOAGGREGATION;
    if ((description->dwFlags & DSBCAPS_PRIMARYBUFFER) != 0)
        return CreatePrimaryBuffer(*description, buffer);
    return CreateSecondaryBuffer(*description, buffer);
}

HRESULT IDirectSound::CreatePrimaryBuffer(const DSBUFFERDESC& description, IDirectSoundBuffer** buffer)
{
    if (const HRESULT hooked = detail::TakeFailure(detail::FailingCall::Primary))
        return hooked;
    if (description.dwSize != sizeof(DSBUFFERDESC) || (description.dwFlags & ~primaryFlags) != 0 ||
        description.dwBufferBytes != 0 || description.lpwfxFormat)
        return DSERR_INVALIDPARAM;
    {
        std::lock_guard lock(mixer->Mutex());
        if (mixer->primary)
        {
            mixer->primary->AddRef();
            *buffer = mixer->primary;
            return DS_OK;
        }
    }
    *buffer = new PrimaryBuffer(mixer, description.dwFlags);
    return DS_OK;
}

HRESULT IDirectSound::CreateSecondaryBuffer(const DSBUFFERDESC& description, IDirectSoundBuffer** buffer)
{
    if (const HRESULT hooked = detail::TakeFailure(detail::FailingCall::CreateBuffer))
        return hooked;
    if (description.dwSize != sizeof(DSBUFFERDESC) || (description.dwFlags & ~secondaryFlags) != 0 ||
        !description.lpwfxFormat)
        return DSERR_INVALIDPARAM;
    const WAVEFORMATEX& format = *description.lpwfxFormat;
    if (!IsSupportedPcm(format))
        return DSERR_BADFORMAT;
    if (description.dwBufferBytes < DSBSIZE_MIN || description.dwBufferBytes > DSBSIZE_MAX)
        return DSERR_INVALIDPARAM;
    if ((description.dwFlags & DSBCAPS_CTRL3D) != 0 && format.nChannels != 1)
        return DSERR_INVALIDPARAM;

    std::shared_ptr<SampleMemory> memory;
    try
    {
        memory = std::make_shared<SampleMemory>(description.dwBufferBytes,
                                                static_cast<std::uint8_t>(format.wBitsPerSample == 8 ? 128 : 0));
    }
    catch (const std::bad_alloc&)
    {
        return DSERR_OUTOFMEMORY;
    }
    auto* created = new SecondaryBuffer(mixer, description.dwFlags, format, std::move(memory));
    {
        std::lock_guard lock(mixer->Mutex());
        created->GetJournal().Record(JournalCall::Create, description.dwFlags, description.dwBufferBytes, DS_OK);
    }
    *buffer = created;
    return DS_OK;
}

HRESULT IDirectSound::DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate)
{
    if (!duplicate)
        return DSERR_INVALIDPARAM;
    *duplicate = nullptr;
    if (const HRESULT hooked = detail::TakeFailure(detail::FailingCall::DuplicateBuffer))
        return hooked;
    if (!original || &original->GetMixer() != mixer.get())
        return DSERR_INVALIDPARAM;
    if (original->IsPrimary())
        return DSERR_INVALIDCALL;
    const auto& source = static_cast<const SecondaryBuffer&>(*original);
    auto* created = new SecondaryBuffer(mixer, source.Capabilities(), source.Format(), source.Memory());
    {
        std::lock_guard lock(mixer->Mutex());
        created->GetJournal().Record(JournalCall::Duplicate, source.Capabilities(),
                                     static_cast<std::int64_t>(source.Memory()->size()), DS_OK);
    }
    *duplicate = created;
    return DS_OK;
}

} // namespace dsound
