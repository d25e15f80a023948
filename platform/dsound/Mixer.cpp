#include "platform/dsound/Mixer.h"

#include "platform/dsound/Gain.h"
#include "platform/dsound/Voice.h"
#include "platform/win32/LastError.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace dsound
{
namespace
{
constexpr WAVEFORMATEX defaultOutput{WAVE_FORMAT_PCM, 2, 22050, 88200, 4, 16, 0};

bool SameFormat(const WAVEFORMATEX& a, const WAVEFORMATEX& b)
{
    return a.nChannels == b.nChannels && a.nSamplesPerSec == b.nSamplesPerSec &&
           a.wBitsPerSample == b.wBitsPerSample;
}
} // namespace

Mixer::Mixer() : output(defaultOutput)
{
}

std::shared_ptr<Mixer> Mixer::Open()
{
    std::shared_ptr<Mixer> mixer(new Mixer());
    std::lock_guard device(mixer->deviceMutex);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
    {
        win32::detail::NoteLibraryRefusal();
        return nullptr;
    }
    mixer->audioStarted = true;
    if (!mixer->OpenDevice())
        return nullptr;
    return mixer;
}

Mixer::~Mixer()
{
    std::lock_guard device(deviceMutex);
    CloseDevice();
    if (audioStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool Mixer::OpenDevice()
{
    WAVEFORMATEX format;
    {
        std::lock_guard lock(mutex);
        format = output;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(format.nSamplesPerSec);
    wanted.format = format.wBitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16SYS;
    wanted.channels = static_cast<Uint8>(format.nChannels);
    wanted.samples = passFrames;
    wanted.callback = &Mixer::Callback;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    // No changes allowed: the library converts to whatever the hardware takes.
    deviceId = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (deviceId == 0)
    {
        win32::detail::NoteLibraryRefusal();
        return false;
    }
    SDL_PauseAudioDevice(deviceId, paused ? 1 : 0);
    return true;
}

void Mixer::CloseDevice()
{
    if (deviceId != 0)
        SDL_CloseAudioDevice(deviceId);
    deviceId = 0;
}

HRESULT Mixer::SetOutputFormat(const WAVEFORMATEX& format)
{
    std::lock_guard device(deviceMutex);
    WAVEFORMATEX previous;
    {
        std::lock_guard lock(mutex);
        previous = output;
    }
    if (SameFormat(previous, format))
        return DS_OK;
    CloseDevice();
    {
        std::lock_guard lock(mutex);
        output = format;
    }
    if (OpenDevice())
        return DS_OK;
    {
        std::lock_guard lock(mutex);
        output = previous;
    }
    OpenDevice();
    return DSERR_BADFORMAT;
}

void Mixer::SetPaused(bool pause)
{
    std::lock_guard device(deviceMutex);
    paused = pause;
    if (deviceId != 0)
        SDL_PauseAudioDevice(deviceId, pause ? 1 : 0);
}

void Mixer::AddVoice(Voice* voice)
{
    voices.push_back(voice);
    voice->UpdateGains(listener);
}

void Mixer::RemoveVoice(Voice* voice)
{
    voices.erase(std::remove(voices.begin(), voices.end(), voice), voices.end());
}

bool Mixer::AnyVoicePlaying() const
{
    return std::any_of(voices.begin(), voices.end(), [](const Voice* voice) { return voice->playing; });
}

void Mixer::SetMasterVolume(std::int32_t attenuation)
{
    masterVolume = attenuation;
    masterGain = ToFixedGain(AttenuationToGain(attenuation));
}

void Mixer::SetListenerPosition(const Vector3f& position, bool deferred)
{
    if (deferred)
    {
        pendingListener.position = position;
        listenerPositionPending = true;
        return;
    }
    listener.position = position;
    UpdateSpatialGains();
}

void Mixer::SetListenerOrientation(const Vector3f& front, const Vector3f& top, bool deferred)
{
    if (deferred)
    {
        pendingListener.front = front;
        pendingListener.top = top;
        listenerOrientationPending = true;
        return;
    }
    listener.front = front;
    listener.top = top;
    UpdateSpatialGains();
}

void Mixer::CommitDeferred()
{
    if (listenerPositionPending)
        listener.position = pendingListener.position;
    if (listenerOrientationPending)
    {
        listener.front = pendingListener.front;
        listener.top = pendingListener.top;
    }
    listenerPositionPending = false;
    listenerOrientationPending = false;
    for (Voice* voice : voices)
    {
        if (voice->positionPending)
            voice->position = voice->pendingPosition;
        voice->positionPending = false;
    }
    UpdateSpatialGains();
}

void Mixer::UpdateSpatialGains()
{
    for (Voice* voice : voices)
    {
        if (voice->spatial)
            voice->UpdateGains(listener);
    }
}

void Mixer::Render(std::uint8_t* stream, std::size_t bytes)
{
    const std::uint32_t channels = output.nChannels;
    const std::uint32_t sampleBytes = output.wBitsPerSample / 8u;
    const std::size_t frameBytes = static_cast<std::size_t>(channels) * sampleBytes;
    std::size_t frames = bytes / frameBytes;
    std::uint8_t* at = stream;
    while (frames > 0)
    {
        const auto pass = static_cast<std::uint32_t>(std::min<std::size_t>(frames, passFrames));
        const std::size_t values = static_cast<std::size_t>(pass) * channels;
        std::fill_n(accumulator.begin(), values, 0);
        std::fill_n(wide.begin(), values, 0);
        std::uint32_t summed = 0;
        for (Voice* voice : voices)
        {
            if (!voice->playing)
                continue;
            voice->Mix(accumulator.data(), pass, channels, output.nSamplesPerSec);
            if (++summed == voicesPerFold)
            {
                for (std::size_t i = 0; i < values; ++i)
                    wide[i] += std::exchange(accumulator[i], 0);
                summed = 0;
            }
        }
        for (std::size_t i = 0; i < values; ++i)
        {
            const std::int64_t sum = wide[i] + accumulator[i];
            const std::int64_t value = std::clamp<std::int64_t>((sum * masterGain) >> 16, -32768, 32767);
            if (sampleBytes == 1)
            {
                *at++ = static_cast<std::uint8_t>((value >> 8) + 128);
            }
            else
            {
                const auto sample = static_cast<std::int16_t>(value);
                std::memcpy(at, &sample, sizeof sample);
                at += sizeof sample;
            }
        }
        frames -= pass;
    }
    std::memset(at, sampleBytes == 1 ? 128 : 0, stream + bytes - at);
}

void Mixer::Callback(void* self, std::uint8_t* stream, int length)
{
    auto* mixer = static_cast<Mixer*>(self);
    std::lock_guard lock(mixer->mutex);
    mixer->Render(stream, static_cast<std::size_t>(length));
}

} // namespace dsound
