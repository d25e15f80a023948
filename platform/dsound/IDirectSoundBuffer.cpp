#include "platform/dsound/IDirectSoundBuffer.h"

#include "platform/dsound/Mixer.h"

namespace dsound
{

IDirectSoundBuffer::IDirectSoundBuffer(std::shared_ptr<Mixer> owner) : mixer(std::move(owner))
{
}

IDirectSoundBuffer::~IDirectSoundBuffer() = default;

} // namespace dsound
