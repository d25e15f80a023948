#pragma once

// The stand-in's side of the test hooks: where its calls ask whether a test
// wants them to fail, and where devices make themselves known.

#include "platform/dsound/Types.h"
#include "platform/dsound/testing/DirectSoundHooks.h"

namespace dsound
{
class IDirectSound;
}

namespace dsound::testing
{

// The code a test set for the next call of this kind (taking it), or DS_OK.
HRESULT TakeFailure(FailingCall call);
bool IsJournalEnabled();
void RegisterDevice(IDirectSound* device);
void UnregisterDevice(IDirectSound* device);

} // namespace dsound::testing
