#pragma once

#include "platform/dsound/RefCounted.h"
#include "platform/dsound/Types.h"

#include <cstdint>
#include <memory>

namespace dsound
{

class Mixer;

// The listener of a device, from the primary buffer's QueryInterface. Values
// set with DS3D_DEFERRED wait for CommitDeferredSettings, which also applies
// every deferred 3D buffer position of the device; DS3D_IMMEDIATE values
// apply at once. Defaults: position (0, 0, 0), front (0, 0, 1), top (0, 1, 0).
// Values that are not finite answer DSERR_INVALIDPARAM.
class IDirectSound3DListener final : public RefCounted
{
public:
    explicit IDirectSound3DListener(std::shared_ptr<Mixer> owner);

    HRESULT SetPosition(float x, float y, float z, std::uint32_t apply);
    HRESULT SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY, float topZ,
                           std::uint32_t apply);
    HRESULT CommitDeferredSettings();

private:
    ~IDirectSound3DListener() override;

    const std::shared_ptr<Mixer> mixer;
};

} // namespace dsound
