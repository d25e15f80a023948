#include "platform/dsound/IDirectSound3DListener.h"

#include "platform/dsound/Mixer.h"

#include <cmath>
#include <mutex>

namespace dsound
{
namespace
{
bool AllFinite(std::initializer_list<float> values)
{
    for (float value : values)
    {
        if (!std::isfinite(value))
            return false;
    }
    return true;
}
} // namespace

IDirectSound3DListener::IDirectSound3DListener(std::shared_ptr<Mixer> owner) : mixer(std::move(owner))
{
}

IDirectSound3DListener::~IDirectSound3DListener() = default;

HRESULT IDirectSound3DListener::SetPosition(float x, float y, float z, std::uint32_t apply)
{
    if (apply > DS3D_DEFERRED || !AllFinite({x, y, z}))
        return DSERR_INVALIDPARAM;
    std::lock_guard lock(mixer->Mutex());
    mixer->SetListenerPosition({x, y, z}, apply == DS3D_DEFERRED);
    return DS_OK;
}

HRESULT IDirectSound3DListener::SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY,
                                               float topZ, std::uint32_t apply)
{
    if (apply > DS3D_DEFERRED || !AllFinite({frontX, frontY, frontZ, topX, topY, topZ}))
        return DSERR_INVALIDPARAM;
    std::lock_guard lock(mixer->Mutex());
    mixer->SetListenerOrientation({frontX, frontY, frontZ}, {topX, topY, topZ}, apply == DS3D_DEFERRED);
    return DS_OK;
}

HRESULT IDirectSound3DListener::CommitDeferredSettings()
{
    std::lock_guard lock(mixer->Mutex());
    mixer->CommitDeferred();
    return DS_OK;
}

} // namespace dsound
