#include "engine/sound/SoundBuffer_DS7.h"

#include "engine/core/MessageManager.h"
#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Vector3.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "platform/dsound/IDirectSound.h"
#include "platform/dsound/IDirectSound3DBuffer.h"
#include "platform/dsound/IDirectSoundBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace OrvaneEngine
{
namespace
{
// Sent for a tempo that has no frequency (not a number, negative, beyond
// 32 bits), so that the device refuses it and the refusal is logged.
constexpr std::uint32_t refusedFrequency = 0xFFFFFFFFu;
} // namespace

SoundBuffer_DS7::SoundBuffer_DS7(MessageManager* messages, FileManager* files, TimerManager* timers,
                                 SoundSystem_DS7* owner, const std::string& fileName)
    : SoundBuffer(messages, files, fileName), timerManager(timers), system(owner), device(owner->GetDevice())
{
    Load(nullptr);
}

SoundBuffer_DS7::SoundBuffer_DS7(const SoundBuffer_DS7& source)
    : SoundBuffer(source), timerManager(source.timerManager), system(source.system), device(source.device)
{
    Load(&source);
}

SoundBuffer_DS7::~SoundBuffer_DS7()
{
    if (streamClock)
        timerManager->ReleaseTimer(streamClock);
    streamClock = nullptr;
    Unload();
}

void SoundBuffer_DS7::Unload()
{
    SoundBuffer::Unload();
    ReleaseBuffer();
}

void SoundBuffer_DS7::ReleaseBuffer()
{
    if (buffer3D)
        buffer3D->Release();
    buffer3D = nullptr;
    if (deviceBuffer)
        deviceBuffer->Release();
    deviceBuffer = nullptr;
}

void SoundBuffer_DS7::CreateBuffer(const SoundBuffer* source)
{
    if (deviceBuffer)
        return;
    if (streamed && !streamClock)
    {
        streamClock = timerManager->CreateTimer(0.0f, false);
        ResetClock(0.0f);
        PauseClock(true);
    }

    dsound::HRESULT result = dsound::DS_OK;
    const auto* original = dynamic_cast<const SoundBuffer_DS7*>(source);
    if (source)
    {
        result = original && original->deviceBuffer
                     ? device->DuplicateSoundBuffer(original->deviceBuffer, &deviceBuffer)
                     : dsound::DSERR_INVALIDPARAM;
    }
    else
    {
        const bool with3D = system->Is3D() && channels == 1;
        dsound::WAVEFORMATEX format{};
        format.wFormatTag = dsound::WAVE_FORMAT_PCM;
        format.nChannels = static_cast<std::uint16_t>(channels);
        format.nSamplesPerSec = sampleRate;
        format.nBlockAlign = static_cast<std::uint16_t>(channels * bits / 8);
        format.nAvgBytesPerSec = sampleRate * format.nBlockAlign;
        format.wBitsPerSample = static_cast<std::uint16_t>(bits);
        dsound::DSBUFFERDESC description{};
        description.dwSize = sizeof(description);
        description.dwFlags = dsound::DSBCAPS_CTRLFREQUENCY | dsound::DSBCAPS_CTRLVOLUME |
                              (with3D ? dsound::DSBCAPS_CTRL3D : 0u) | (streamed ? 0u : dsound::DSBCAPS_STATIC);
        description.dwBufferBytes = streamed ? ringSize : dataSize;
        description.lpwfxFormat = &format;
        description.guid3DAlgorithm = dsound::DS3DALG_DEFAULT;
        result = device->CreateSoundBuffer(&description, &deviceBuffer, nullptr);
    }
    if (dsound::FAILED(result) || !deviceBuffer)
    {
        deviceBuffer = nullptr;
        messageManager->Error("Sound System: DirectSound buffers overflow");
        return;
    }

    if (system->Is3D() && channels == 1 &&
        dsound::FAILED(deviceBuffer->QueryInterface(dsound::IID_IDirectSound3DBuffer, &buffer3D)))
    {
        buffer3D = nullptr;
        messageManager->Error("Sound System: Failed to get the 3D buffer from the secondary buffer");
    }
}

bool SoundBuffer_DS7::WriteBuffer(std::uint32_t chunk, const std::vector<std::uint8_t>& data, std::uint32_t bytes)
{
    if (!deviceBuffer)
        return true;
    void* first = nullptr;
    void* second = nullptr;
    std::uint32_t firstBytes = 0;
    std::uint32_t secondBytes = 0;
    if (dsound::FAILED(deviceBuffer->Lock(chunk * chunkSize, bytes, &first, &firstBytes, &second, &secondBytes, 0)))
        return false;
    const std::uint32_t firstCopy = std::min(firstBytes, bytes);
    const std::uint32_t secondCopy = std::min(secondBytes, bytes - firstCopy);
    std::memcpy(first, data.data(), firstCopy);
    if (secondCopy > 0)
        std::memcpy(second, data.data() + firstCopy, secondCopy);
    return dsound::SUCCEEDED(deviceBuffer->Unlock(first, firstCopy, second, secondCopy));
}

void SoundBuffer_DS7::QueueBuffer(std::uint32_t)
{
    // The chunk already sits in the ring.
}

void SoundBuffer_DS7::UnqueueProcessedBuffers(std::vector<std::uint32_t>& chunks)
{
    chunks.clear();
    if (!deviceBuffer || !streamClock || ended || !IsPlaying())
        return;
    std::uint32_t cursor = 0;
    if (dsound::FAILED(deviceBuffer->GetCurrentPosition(&cursor, nullptr)) || cursor >= ringSize)
        return;

    const std::uint64_t back = std::min<std::uint64_t>(played, lag);
    played += Advance(cursor);
    ringPosition = cursor;
    // Chunks are counted from the stream's start: chunk j spans
    // [j * chunk, (j + 1) * chunk]. It is refilled once the window's end
    // (bytes played less the lag) has left it, and once per turn only: the
    // window starts where the last refill stopped, so a long frame while
    // fewer than `lag` bytes have played cannot refill a chunk twice.
    const std::uint64_t end = played - back;
    const std::uint64_t behind = end == 0 ? 0 : (end - 1) / chunkSize;
    if (behind > nextRefill + chunkCount)
    {
        // The device went round the ring without us (a stalled frame loop):
        // what it played meanwhile is lost, and the chunks that would have
        // held it are not worth decoding. The ring is refilled from where
        // the device is.
        const std::uint64_t lost = behind - chunkCount - nextRefill;
        SkipStream(lost * chunkSize);
        nextRefill += lost;
    }
    for (; nextRefill < behind; ++nextRefill)
        chunks.push_back(static_cast<std::uint32_t>(nextRefill % chunkCount));

    if (!streamLoop && played > StreamDataEnd() + endMargin && !ended)
    {
        system->CheckResult("SoundBuffer_DS7::UnqueueProcessedBuffers", deviceBuffer->Stop());
        ended = true;
        ResetClock(0.0f);
        PauseClock(true);
    }
}

std::uint64_t SoundBuffer_DS7::Advance(std::uint32_t cursor)
{
    // The cursor tells where in the ring the device is, never how often it
    // went round: the clock, which drifts from the device but by far less
    // than half a ring between two updates, tells the whole turns.
    std::uint64_t advance = cursor >= ringPosition ? cursor - ringPosition : cursor + ringSize - ringPosition;
    const double estimate = static_cast<double>(streamClock->GetTime()) * PlayingByteRate();
    ResetClock(0.0f);
    const double turns = std::round((estimate - static_cast<double>(advance)) / ringSize);
    if (turns > 0.0 && turns < 1e9)
        advance += static_cast<std::uint64_t>(turns) * ringSize;
    return advance;
}

void SoundBuffer_DS7::Play(bool loop)
{
    if (!deviceBuffer)
        return;
    // The ring always loops; a one-shot stream is stopped once its data played.
    const std::uint32_t flags = loop || streamed ? dsound::DSBPLAY_LOOPING : 0u;
    system->CheckResult("SoundBuffer_DS7::Play", deviceBuffer->Play(0, 0, flags));
    ended = false;
    if (streamed)
        PauseClock(false);
}

void SoundBuffer_DS7::Pause()
{
    if (!deviceBuffer)
        return;
    system->CheckResult("SoundBuffer_DS7::Pause", deviceBuffer->Stop());
    if (streamed)
        PauseClock(true);
}

void SoundBuffer_DS7::Stop()
{
    if (!deviceBuffer)
        return;
    system->CheckResult("SoundBuffer_DS7::Stop", deviceBuffer->Stop());
    system->CheckResult("SoundBuffer_DS7::Stop", deviceBuffer->SetCurrentPosition(0));
    ringPosition = 0;
    played = 0;
    nextRefill = 0;
    if (streamed)
    {
        ResetClock(0.0f);
        PauseClock(true);
    }
}

std::uint32_t SoundBuffer_DS7::Status() const
{
    std::uint32_t status = 0;
    if (deviceBuffer)
        system->CheckResult("SoundBuffer_DS7::IsPlaying", deviceBuffer->GetStatus(&status));
    return status;
}

bool SoundBuffer_DS7::IsPlaying() const
{
    return (Status() & dsound::DSBSTATUS_PLAYING) != 0;
}

bool SoundBuffer_DS7::IsBufferLost() const
{
    return (Status() & dsound::DSBSTATUS_BUFFERLOST) != 0;
}

bool SoundBuffer_DS7::Restore()
{
    if (!deviceBuffer)
        return false;
    if (dsound::FAILED(deviceBuffer->Restore()))
        return false;
    if (!streamed)
        Load(nullptr);
    return true;
}

void SoundBuffer_DS7::SetVolume(float volume)
{
    if (!deviceBuffer)
        return;
    system->CheckResult("SoundBuffer_DS7::SetVolume",
                        deviceBuffer->SetVolume(SoundSystem_DS7::VolumeToAttenuation(volume)));
}

void SoundBuffer_DS7::SetTempo(float tempo)
{
    if (!deviceBuffer)
        return;
    const double wanted = static_cast<double>(sampleRate) * static_cast<double>(tempo);
    const std::uint32_t asked =
        wanted >= 0.0 && wanted < 4294967296.0 ? static_cast<std::uint32_t>(wanted) : refusedFrequency;
    // The stream's clock counts bytes at the playing rate: keep the position
    // it stands for when that rate changes.
    const double oldRate = PlayingByteRate();
    const dsound::HRESULT result = deviceBuffer->SetFrequency(asked);
    system->CheckResult("SoundBuffer_DS7::SetTempo", result);
    if (dsound::FAILED(result))
        return;
    frequency = asked;
    const double newRate = PlayingByteRate();
    if (streamClock && oldRate > 0.0 && newRate > 0.0 && newRate != oldRate)
    {
        const double seconds = static_cast<double>(streamClock->GetTime()) * oldRate / newRate;
        const bool running = clockRunning;
        ResetClock(static_cast<float>(seconds));
        PauseClock(!running);
    }
}

void SoundBuffer_DS7::SetPosition(const Vector3& position)
{
    if (!buffer3D)
        return;
    system->CheckResult("SoundBuffer_DS7::SetPosition",
                        buffer3D->SetPosition(position.x, position.y, position.z, dsound::DS3D_DEFERRED));
}

double SoundBuffer_DS7::PlayingByteRate() const
{
    const std::uint32_t playing = frequency == 0 ? sampleRate : frequency;
    return static_cast<double>(playing) * channels * bits / 8.0;
}

void SoundBuffer_DS7::PauseClock(bool pause)
{
    if (!streamClock)
        return;
    streamClock->SetPaused(pause);
    clockRunning = !pause;
}

void SoundBuffer_DS7::ResetClock(float seconds)
{
    if (!streamClock)
        return;
    streamClock->Reset(seconds);
    clockRunning = true;
}

} // namespace OrvaneEngine
