#include "tests/platform/dsound/TestDevice.h"

#include "platform/dsound/testing/DirectSoundHooks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace corvellan::test
{
using namespace dsound;

WAVEFORMATEX Pcm(std::uint16_t channels, std::uint16_t bits, std::uint32_t rate)
{
    const auto align = static_cast<std::uint16_t>(channels * bits / 8);
    return {WAVE_FORMAT_PCM, channels, rate, rate * align, align, bits, 0};
}

std::vector<std::uint8_t> Bytes16(const std::vector<std::int16_t>& samples)
{
    std::vector<std::uint8_t> bytes;
    for (std::int16_t sample : samples)
    {
        const auto value = static_cast<std::uint16_t>(sample);
        bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    return bytes;
}

TestDevice::TestDevice(std::uint32_t primaryFlags, bool paused)
{
    Open(primaryFlags, paused);
}

void TestDevice::Open(std::uint32_t primaryFlags, bool paused)
{
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
    ASSERT_EQ(device->SetCooperativeLevel(0, DSSCL_PRIORITY), DS_OK);
    DSBUFFERDESC description{sizeof(DSBUFFERDESC), primaryFlags, 0, 0, nullptr, {}};
    ASSERT_EQ(device->CreateSoundBuffer(&description, &primary, nullptr), DS_OK);
    WAVEFORMATEX format = Pcm(2, 16, 22050);
    ASSERT_EQ(primary->SetFormat(&format), DS_OK);
    dsound::testing::SetDevicePaused(device, paused);
}

TestDevice::~TestDevice()
{
    for (IDirectSoundBuffer* buffer : owned)
        buffer->Release();
    if (primary)
        primary->Release();
    if (device)
        device->Release();
}

HRESULT TestDevice::TryCreate(std::uint32_t flags, const WAVEFORMATEX& format, std::uint32_t bytes,
                              IDirectSoundBuffer** buffer)
{
    WAVEFORMATEX copy = format;
    DSBUFFERDESC description{sizeof(DSBUFFERDESC), flags, bytes, 0, &copy, DS3DALG_DEFAULT};
    IDirectSoundBuffer* created = nullptr;
    const HRESULT result = device->CreateSoundBuffer(&description, &created, nullptr);
    if (created)
        owned.push_back(created);
    if (buffer)
        *buffer = created;
    return result;
}

IDirectSoundBuffer* TestDevice::Create(std::uint32_t flags, const WAVEFORMATEX& format, std::uint32_t bytes)
{
    IDirectSoundBuffer* buffer = nullptr;
    EXPECT_EQ(TryCreate(flags, format, bytes, &buffer), DS_OK);
    return buffer;
}

IDirectSoundBuffer* TestDevice::CreateWith(std::uint32_t flags, const WAVEFORMATEX& format,
                                           const std::vector<std::uint8_t>& bytes)
{
    IDirectSoundBuffer* buffer = Create(flags, format, static_cast<std::uint32_t>(bytes.size()));
    if (buffer)
    {
        EXPECT_TRUE(Write(buffer, 0, bytes));
    }
    return buffer;
}

IDirectSoundBuffer* TestDevice::Duplicate(IDirectSoundBuffer* original)
{
    IDirectSoundBuffer* copy = nullptr;
    EXPECT_EQ(device->DuplicateSoundBuffer(original, &copy), DS_OK);
    if (copy)
        owned.push_back(copy);
    return copy;
}

void TestDevice::Release(IDirectSoundBuffer* buffer)
{
    const auto found = std::find(owned.begin(), owned.end(), buffer);
    ASSERT_NE(found, owned.end());
    owned.erase(found);
    buffer->Release();
}

bool TestDevice::Write(IDirectSoundBuffer* buffer, std::uint32_t offset, const std::vector<std::uint8_t>& bytes)
{
    void* first = nullptr;
    void* second = nullptr;
    std::uint32_t firstBytes = 0;
    std::uint32_t secondBytes = 0;
    if (buffer->Lock(offset, static_cast<std::uint32_t>(bytes.size()), &first, &firstBytes, &second, &secondBytes,
                     0) != DS_OK)
        return false;
    std::memcpy(first, bytes.data(), firstBytes);
    if (secondBytes != 0)
        std::memcpy(second, bytes.data() + firstBytes, secondBytes);
    return buffer->Unlock(first, firstBytes, second, secondBytes) == DS_OK;
}

std::vector<std::uint8_t> TestDevice::Read(IDirectSoundBuffer* buffer, std::uint32_t offset, std::uint32_t bytes)
{
    void* first = nullptr;
    void* second = nullptr;
    std::uint32_t firstBytes = 0;
    std::uint32_t secondBytes = 0;
    std::vector<std::uint8_t> read;
    if (buffer->Lock(offset, bytes, &first, &firstBytes, &second, &secondBytes, 0) != DS_OK)
        return read;
    const auto* firstData = static_cast<const std::uint8_t*>(first);
    read.assign(firstData, firstData + firstBytes);
    if (secondBytes != 0)
    {
        const auto* secondData = static_cast<const std::uint8_t*>(second);
        read.insert(read.end(), secondData, secondData + secondBytes);
    }
    EXPECT_EQ(buffer->Unlock(first, 0, second, 0), DS_OK);
    return read;
}

std::uint32_t TestDevice::Status(IDirectSoundBuffer* buffer)
{
    std::uint32_t status = 0xFFFFFFFF;
    EXPECT_EQ(buffer->GetStatus(&status), DS_OK);
    return status;
}

std::uint32_t TestDevice::Cursor(IDirectSoundBuffer* buffer)
{
    std::uint32_t play = 0xFFFFFFFF;
    std::uint32_t write = 0xFFFFFFFF;
    EXPECT_EQ(buffer->GetCurrentPosition(&play, &write), DS_OK);
    EXPECT_EQ(play, write);
    return play;
}

std::vector<std::int16_t> TestDevice::Mix(std::uint32_t frames) const
{
    return dsound::testing::Mix(device, frames);
}

} // namespace corvellan::test
