#pragma once

#include "platform/dsound/IDirectSoundBuffer.h"

namespace dsound
{

// The device's output as a buffer: no samples of its own; its format is the
// mix's, its volume the master gain, and it reports playing while any voice
// plays. One per device.
class PrimaryBuffer final : public IDirectSoundBuffer
{
public:
    PrimaryBuffer(std::shared_ptr<Mixer> owner, std::uint32_t flags);

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

    bool IsPrimary() const override { return true; }
    void MarkLost() override;

private:
    ~PrimaryBuffer() override;

    const std::uint32_t capabilities;
    bool lost = false; // guarded by the mixer's mutex
};

} // namespace dsound
