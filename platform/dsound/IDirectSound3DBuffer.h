#pragma once

#include "platform/dsound/RefCounted.h"
#include "platform/dsound/Types.h"

#include <cstdint>

namespace dsound
{

class SecondaryBuffer;

// The 3D side of a mono secondary buffer, from its QueryInterface; it keeps
// that buffer alive. The voice's gain falls as min(1, 1/distance) from the
// listener and the far channel fades with the side the source lies on; there
// is no Doppler. A DS3D_DEFERRED position waits for the listener's
// CommitDeferredSettings. Default position (0, 0, 0).
class IDirectSound3DBuffer final : public RefCounted
{
public:
    explicit IDirectSound3DBuffer(SecondaryBuffer* owner);

    // Values that are not finite answer DSERR_INVALIDPARAM.
    HRESULT SetPosition(float x, float y, float z, std::uint32_t apply);

private:
    ~IDirectSound3DBuffer() override;

    SecondaryBuffer* const buffer;
};

} // namespace dsound
