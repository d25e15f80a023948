#pragma once

#include "platform/dsound/IDirectSound.h"
#include "platform/dsound/IDirectSoundBuffer.h"
#include "platform/dsound/Types.h"

#include <cstdint>
#include <vector>

namespace corvellan::test
{

dsound::WAVEFORMATEX Pcm(std::uint16_t channels, std::uint16_t bits, std::uint32_t rate);
// Little-endian bytes of 16-bit samples.
std::vector<std::uint8_t> Bytes16(const std::vector<std::int16_t>& samples);

// A sound device with its primary buffer for one test, paused so that only
// Mix moves its voices. Buffers made through it are released with it.
class TestDevice
{
public:
    explicit TestDevice(std::uint32_t primaryFlags = dsound::DSBCAPS_PRIMARYBUFFER | dsound::DSBCAPS_CTRLVOLUME |
                                                     dsound::DSBCAPS_CTRL3D,
                        bool paused = true);
    ~TestDevice();
    TestDevice(const TestDevice&) = delete;
    TestDevice& operator=(const TestDevice&) = delete;

    dsound::HRESULT TryCreate(std::uint32_t flags, const dsound::WAVEFORMATEX& format, std::uint32_t bytes,
                              dsound::IDirectSoundBuffer** buffer = nullptr);
    // A buffer that must be made; null (with a failure) when it is not.
    dsound::IDirectSoundBuffer* Create(std::uint32_t flags, const dsound::WAVEFORMATEX& format, std::uint32_t bytes);
    // A buffer holding exactly these bytes.
    dsound::IDirectSoundBuffer* CreateWith(std::uint32_t flags, const dsound::WAVEFORMATEX& format,
                                           const std::vector<std::uint8_t>& bytes);
    dsound::IDirectSoundBuffer* Duplicate(dsound::IDirectSoundBuffer* original);
    // Takes a buffer into this device's keeping.
    void Keep(dsound::IDirectSoundBuffer* buffer) { owned.push_back(buffer); }
    // Releases a kept buffer early.
    void Release(dsound::IDirectSoundBuffer* buffer);

    // Writes through Lock and Unlock; false when either fails.
    static bool Write(dsound::IDirectSoundBuffer* buffer, std::uint32_t offset, const std::vector<std::uint8_t>& bytes);
    // Reads through Lock and Unlock.
    static std::vector<std::uint8_t> Read(dsound::IDirectSoundBuffer* buffer, std::uint32_t offset, std::uint32_t bytes);
    static std::uint32_t Status(dsound::IDirectSoundBuffer* buffer);
    static std::uint32_t Cursor(dsound::IDirectSoundBuffer* buffer);

    std::vector<std::int16_t> Mix(std::uint32_t frames) const;

    dsound::IDirectSound* device = nullptr;
    dsound::IDirectSoundBuffer* primary = nullptr;

private:
    void Open(std::uint32_t primaryFlags, bool paused);

    std::vector<dsound::IDirectSoundBuffer*> owned;
};

} // namespace corvellan::test
