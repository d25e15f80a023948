#include "platform/dsound/IDirectSound3DBuffer.h"

#include "platform/dsound/SecondaryBuffer.h"

namespace dsound
{

IDirectSound3DBuffer::IDirectSound3DBuffer(SecondaryBuffer* owner) : buffer(owner)
{
    buffer->AddRef();
}

IDirectSound3DBuffer::~IDirectSound3DBuffer()
{
    buffer->Release();
}

HRESULT IDirectSound3DBuffer::SetPosition(float x, float y, float z, std::uint32_t apply)
{
    return buffer->SetPosition3D(x, y, z, apply);
}

} // namespace dsound
