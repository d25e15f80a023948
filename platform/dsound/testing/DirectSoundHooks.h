#pragma once

// Test hooks of the sound device: provoked failures, lost memory, per-buffer
// journals and the mixer run by hand. Tests only.

#include "platform/dsound/HookTable.h"
#include "platform/dsound/Journal.h"
#include "platform/dsound/Types.h"

#include <cstdint>
#include <vector>

namespace dsound
{
class IDirectSound;
class IDirectSoundBuffer;
} // namespace dsound

namespace dsound::testing
{

// The calls a test can make fail once.
using FailingCall = detail::FailingCall;

// The next call of that kind returns `code` and does nothing else.
void FailNextCall(FailingCall call, HRESULT code);
// Forgets every failure not yet taken.
void ClearFailures();

// The buffer's memory is lost: its status becomes DSBSTATUS_BUFFERLOST alone
// (a secondary buffer stops), Play and Lock answer DSERR_BUFFERLOST, and
// Restore brings it back with its samples cleared to silence. For the primary
// buffer only the status, Play and Restore are affected.
void MarkLost(IDirectSoundBuffer* buffer);

// While on (off at start), every buffer records its calls, failed ones
// included: creation or duplication, Lock, Play, Stop, SetCurrentPosition,
// SetVolume and SetFrequency.
void SetJournalEnabled(bool on);
std::vector<JournalEntry> GetJournal(IDirectSoundBuffer* buffer);
void ClearJournal(IDirectSoundBuffer* buffer);

// Devices alive now, oldest first; the primary buffer of a device (null
// before it is made) and its secondary buffers in creation order. The
// pointers carry no reference.
std::vector<IDirectSound*> GetDevices();
IDirectSoundBuffer* GetPrimaryBuffer(IDirectSound* device);
std::vector<IDirectSoundBuffer*> GetSecondaryBuffers(IDirectSound* device);

// Stops or restarts the audio callback. Paused, the device feeds silence and
// no voice moves except through Mix.
void SetDevicePaused(IDirectSound* device, bool paused);
// Runs the audio callback's own code for `frames` frames of the output format
// and returns what it wrote: MixBytes as the device gets it, Mix as 16-bit
// samples (interleaved by channel; only for a 16-bit output format).
std::vector<std::uint8_t> MixBytes(IDirectSound* device, std::uint32_t frames);
std::vector<std::int16_t> Mix(IDirectSound* device, std::uint32_t frames);

// True while the audio side of the platform library is running, that is while
// any device (or an object made from it) is alive.
bool IsAudioStarted();

} // namespace dsound::testing
