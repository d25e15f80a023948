#include "engine/sound/SoundSystem_DS7.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"
#include "engine/core/Window.h"
#include "engine/sound/SoundBuffer_DS7.h"
#include "engine/sound/Sound_DS7.h"
#include "platform/dsound/IDirectSound.h"
#include "platform/dsound/IDirectSound3DListener.h"
#include "platform/dsound/IDirectSoundBuffer.h"

#include <cmath>
#include <iterator>

namespace OrvaneEngine
{
namespace
{
struct ResultEntry
{
    dsound::HRESULT code;
    const char* text;
};

constexpr ResultEntry resultTexts[] = {
    {dsound::E_ACCESSDENIED, "The request failed because access was denied."},
    {dsound::DSERR_ALLOCATED,
     "The request failed because resources, such as a priority level, were already in use by another caller."},
    {dsound::DSERR_ALREADYINITIALIZED, "The object is already initialized."},
    {dsound::DSERR_BADFORMAT, "The specified wave format is not supported."},
    {dsound::DSERR_BUFFERLOST, "The buffer memory has been lost and must be restored."},
    {dsound::DSERR_CONTROLUNAVAIL,
     "The buffer control (volume, pan, and so on) requested by the caller is not available."},
    {dsound::DSERR_GENERIC, "An undetermined error occurred inside the DirectSound subsystem."},
    {dsound::DSERR_INVALIDCALL, "This function is not valid for the current state of this object."},
    {dsound::DSERR_INVALIDPARAM, "An invalid parameter was passed to the returning function."},
    {dsound::DSERR_NOAGGREGATION, "The object does not support aggregation."},
    {dsound::DSERR_NODRIVER, "No sound driver is available for use."},
    {dsound::DSERR_NOINTERFACE, "The requested COM interface is not available."},
    {dsound::DSERR_OTHERAPPHASPRIO,
     "Another application has a higher priority level, preventing this call from succeeding."},
    {dsound::DSERR_OUTOFMEMORY,
     "The DirectSound subsystem could not allocate sufficient memory to complete the caller's request."},
    {dsound::DSERR_PRIOLEVELNEEDED,
     "The caller does not have the priority level required for the function to succeed."},
    {dsound::DSERR_UNINITIALIZED, "The IDirectSound::Initialize method has not been called or has not been called "
                                  "successfully before other methods were called."},
    {dsound::DSERR_UNSUPPORTED, "The function called is not supported at this time."},
};

template <typename Interface> void ReleaseOnce(Interface*& object)
{
    if (object)
        object->Release();
    object = nullptr;
}
} // namespace

SoundSystem_DS7::SoundSystem_DS7(MessageManager* messages, FileManager* files, TimerManager* timers,
                                 Config* configuration, Window* ownerWindow, bool threeD)
    : SoundSystem(messages, files, configuration, threeD), timerManager(timers), window(ownerWindow)
{
    messageManager->Message("\nInitialization of DirectSound Subsystem:");

    messageManager->Message("...Creating a device...");
    if (dsound::FAILED(dsound::DirectSoundCreate(nullptr, &device, nullptr)))
    {
        device = nullptr;
        Fail("Failed to create a device");
    }

    messageManager->Message("...Set cooperative level...");
    if (dsound::FAILED(device->SetCooperativeLevel(window ? window->handle : 0, dsound::DSSCL_PRIORITY)))
        Fail("Failed to set cooperative level");

    messageManager->Message("...Create primary buffer...");
    dsound::DSBUFFERDESC description{};
    description.dwSize = sizeof(description);
    description.dwFlags = dsound::DSBCAPS_PRIMARYBUFFER | dsound::DSBCAPS_CTRLVOLUME |
                          (use3D ? dsound::DSBCAPS_CTRL3D : 0u);
    if (dsound::FAILED(device->CreateSoundBuffer(&description, &primaryBuffer, nullptr)))
    {
        primaryBuffer = nullptr;
        Fail("Failed to create primary buffer");
    }

    messageManager->Message("...Set primary buffer format...");
    dsound::WAVEFORMATEX format{};
    format.wFormatTag = dsound::WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = 22050;
    format.nAvgBytesPerSec = 88200;
    format.nBlockAlign = 4;
    format.wBitsPerSample = 16;
    format.cbSize = 0;
    if (dsound::FAILED(primaryBuffer->SetFormat(&format)))
        Fail("Failed to set primary buffer format");

    if (use3D)
    {
        messageManager->Message("...Get the 3D listener from the primary buffer...");
        if (dsound::FAILED(primaryBuffer->QueryInterface(dsound::IID_IDirectSound3DListener, &listener)))
        {
            listener = nullptr;
            messageManager->Error("Failed to get the 3D listener from the primary buffer");
            use3D = false;
        }
    }

    messageManager->Message("");
    ResetListener();
}

SoundSystem_DS7::~SoundSystem_DS7()
{
    Destroy();
}

void SoundSystem_DS7::Fail(const std::string& text)
{
    messageManager->LogPlatformReason();
    messageManager->Error(text);
    Destroy();
    throw Error("");
}

void SoundSystem_DS7::Destroy()
{
    messageManager->Message("DirectSound system destroying:");
    if (listener)
    {
        messageManager->Message("...Releasing 3D listener...");
        ReleaseOnce(listener);
    }
    if (primaryBuffer)
    {
        messageManager->Message("...Releasing primary buffer...");
        ReleaseOnce(primaryBuffer);
    }
    if (device)
    {
        messageManager->Message("...Releasing device...");
        ReleaseOnce(device);
    }
}

void SoundSystem_DS7::Refresh()
{
    SoundSystem::Refresh();
    std::uint32_t status = 0;
    CheckResult("SoundSystem_DS7::Refresh", primaryBuffer->GetStatus(&status));
    // Lost while playing is left for the device to settle first.
    if (status == dsound::DSBSTATUS_BUFFERLOST)
        primaryBuffer->Restore();
    if (listener)
        CheckResult("SoundSystem_DS7::Refresh", listener->CommitDeferredSettings());
}

std::unique_ptr<Sound> SoundSystem_DS7::CreateSound(const std::string& name)
{
    return std::make_unique<Sound_DS7>(messageManager, this, bufferManager, name);
}

std::unique_ptr<Sound> SoundSystem_DS7::CloneSound(const Sound& sound)
{
    if (const auto* source = dynamic_cast<const Sound_DS7*>(&sound))
        return std::make_unique<Sound_DS7>(*source);
    return CreateSound(sound.GetName());
}

std::unique_ptr<SoundBuffer> SoundSystem_DS7::CreateSoundBuffer(const std::string& name)
{
    return std::make_unique<SoundBuffer_DS7>(messageManager, fileManager, timerManager, this, name);
}

std::unique_ptr<SoundBuffer> SoundSystem_DS7::CloneSoundBuffer(const SoundBuffer& buffer)
{
    // Only a buffer the device accepted has samples to share; any other is
    // made anew from its file.
    const auto* source = dynamic_cast<const SoundBuffer_DS7*>(&buffer);
    if (!source || !source->GetDeviceBuffer() || source->IsStreamed())
        return CreateSoundBuffer(buffer.GetName());
    return std::make_unique<SoundBuffer_DS7>(*source);
}

void SoundSystem_DS7::SetListenerPosition(const Vector3& position)
{
    SoundSystem::SetListenerPosition(position);
    if (listener)
        listener->SetPosition(position.x, position.y, position.z, dsound::DS3D_DEFERRED);
}

void SoundSystem_DS7::SetListenerOrientation(const Vector3& front, const Vector3& top)
{
    SoundSystem::SetListenerOrientation(front, top);
    if (listener)
        listener->SetOrientation(front.x, front.y, front.z, top.x, top.y, top.z, dsound::DS3D_DEFERRED);
}

std::string SoundSystem_DS7::ResultText(dsound::HRESULT code)
{
    for (const ResultEntry& entry : resultTexts)
    {
        if (entry.code == code)
            return entry.text;
    }
    return "Unknown error (Code: " + IntToString(code, 0) + ")";
}

void SoundSystem_DS7::CheckResult(const std::string& where, dsound::HRESULT code) const
{
    if (code == dsound::DS_OK)
        return;
    messageManager->Error("DirectSound Subsystem (" + where + "): " + ResultText(code));
}

std::int32_t SoundSystem_DS7::VolumeToAttenuation(float volume)
{
    if (std::isnan(volume) || volume < 0.0001f)
        return dsound::DSBVOLUME_MIN;
    const float reciprocal = 1.0f / volume;
    const float logarithm = std::log(reciprocal);
    const double attenuation = static_cast<double>(logarithm) * -1000.0;
    // Limited before the conversion so that an infinite volume stays defined;
    // anything above 0 is refused by the device anyway.
    if (attenuation <= dsound::DSBVOLUME_MIN)
        return dsound::DSBVOLUME_MIN;
    if (attenuation >= -dsound::DSBVOLUME_MIN)
        return -dsound::DSBVOLUME_MIN;
    return static_cast<std::int32_t>(attenuation);
}

} // namespace OrvaneEngine
