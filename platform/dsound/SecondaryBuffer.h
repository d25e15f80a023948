#pragma once

#include "platform/dsound/IDirectSoundBuffer.h"
#include "platform/dsound/Voice.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace dsound
{

// Samples that play as one voice of the mix. Duplicates share the sample
// memory, which lives while any of them does; each has its own cursor,
// status, volume, frequency, pan and 3D position.
class SecondaryBuffer final : public IDirectSoundBuffer
{
public:
    // A stopped buffer over `memory` in the given (already checked) format,
    // with cursor 0 and default volume, frequency, pan and position. A
    // duplicate is made by passing its original's memory.
    SecondaryBuffer(std::shared_ptr<Mixer> owner, std::uint32_t flags, const WAVEFORMATEX& format,
                    std::shared_ptr<SampleMemory> memory);

    HRESULT Play(std::uint32_t reserved, std::uint32_t priority, std::uint32_t flags) override;
    HRESULT Stop() override;
    HRESULT GetStatus(std::uint32_t* status) override;
    HRESULT Restore() override;
    HRESULT GetCurrentPosition(std::uint32_t* play, std::uint32_t* write) override;
    HRESULT SetCurrentPosition(std::uint32_t offset) override;
    HRESULT Lock(std::uint32_t offset, std::uint32_t bytes, void** first, std::uint32_t* firstBytes,
                 void** second, std::uint32_t* secondBytes, std::uint32_t flags) override;
    HRESULT Unlock(void* first, std::uint32_t firstBytes, void* second, std::uint32_t secondBytes) override;
    HRESULT SetVolume(std::int32_t volume) override;
    HRESULT GetVolume(std::int32_t* volume) override;
    HRESULT SetFrequency(std::uint32_t frequency) override;
    HRESULT GetFrequency(std::uint32_t* frequency) override;
    HRESULT SetPan(std::int32_t pan) override;
    HRESULT GetPan(std::int32_t* pan) override;
    HRESULT SetFormat(const WAVEFORMATEX* format) override;
    HRESULT QueryInterface(const GUID& interfaceId, IDirectSound3DListener** listener) override;
    HRESULT QueryInterface(const GUID& interfaceId, IDirectSound3DBuffer** buffer) override;

    bool IsPrimary() const override { return false; }
    void MarkLost() override;

    std::uint32_t Capabilities() const { return capabilities; }
    const WAVEFORMATEX& Format() const { return format; }
    const std::shared_ptr<SampleMemory>& Memory() const { return voice.samples; }

    // IDirectSound3DBuffer::SetPosition.
    HRESULT SetPosition3D(float x, float y, float z, std::uint32_t apply);

private:
    ~SecondaryBuffer() override;

    const std::uint32_t capabilities;
    const WAVEFORMATEX format;
    const std::uint32_t size;
    // Guarded by the mixer's mutex.
    Voice voice;
    // The copy Lock hands out: its contents belong to the caller until
    // Unlock, the rest is guarded by the mixer's mutex.
    std::vector<std::uint8_t> staging;
    bool locked = false;
    std::uint32_t lockOffset = 0;
    std::uint32_t lockFirst = 0;
    std::uint32_t lockSecond = 0;
};

} // namespace dsound
