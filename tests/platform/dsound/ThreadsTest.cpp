// The live audio callback mixes on its own thread while the caller plays,
// stops, writes and changes volume.
#include "tests/platform/dsound/TestDevice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace corvellan::test
{
namespace
{
using namespace dsound;

TEST(Threads, TenThousandCallsAgainstTheLiveCallback)
{
    TestDevice sound(DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME, false);
    const std::uint32_t size = 22050 * 4; // one second of 16-bit stereo
    IDirectSoundBuffer* buffers[] = {
        sound.Create(DSBCAPS_CTRLVOLUME | DSBCAPS_STATIC, Pcm(2, 16, 22050), size),
        sound.Create(DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLFREQUENCY, Pcm(1, 8, 11025), 4096),
    };
    ASSERT_TRUE(buffers[0] && buffers[1]);
    IDirectSoundBuffer* copy = sound.Duplicate(buffers[0]);

    int failures = 0;
    for (int i = 0; i < 10000; ++i)
    {
        IDirectSoundBuffer* buffer = (i % 3 == 2) ? copy : buffers[i % 2];
        HRESULT result = DS_OK;
        switch (i % 4)
        {
        case 0:
            result = buffer->Play(0, 0, (i / 4) % 2 == 0 ? DSBPLAY_LOOPING : 0);
            break;
        case 1:
            result = buffer->SetVolume(-(i % 10001));
            break;
        case 2:
        {
            void* first = nullptr;
            void* second = nullptr;
            std::uint32_t firstBytes = 0;
            std::uint32_t secondBytes = 0;
            const std::uint32_t offset = static_cast<std::uint32_t>(i * 977) % 4096;
            result = buffer->Lock(offset, 1024, &first, &firstBytes, &second, &secondBytes, 0);
            if (result == DS_OK)
            {
                std::memset(first, i & 0xFF, firstBytes);
                if (second)
                    std::memset(second, i & 0xFF, secondBytes);
                result = buffer->Unlock(first, firstBytes, second, secondBytes);
            }
            break;
        }
        default:
            result = (i % 8 == 3) ? buffer->Stop() : buffer->SetCurrentPosition(static_cast<std::uint32_t>(i) % 4096);
            break;
        }
        if (result != DS_OK)
            ++failures;
        // Let the callback in now and then, so calls and mixing interleave.
        if (i % 50 == 49)
            std::this_thread::yield();
    }
    EXPECT_EQ(failures, 0);

    // The callback really ran: a looping voice moves on its own.
    ASSERT_EQ(buffers[0]->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    ASSERT_EQ(buffers[0]->SetCurrentPosition(0), DS_OK);
    // However slowly the callback's thread gets its turns; the limit only
    // keeps a broken driver from hanging the run.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(40);
    while (TestDevice::Cursor(buffers[0]) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    EXPECT_NE(TestDevice::Cursor(buffers[0]), 0u);
}

} // namespace
} // namespace corvellan::test
