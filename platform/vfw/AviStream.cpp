#include "platform/vfw/AviStream.h"

#include "platform/vfw/AviFile.h"
#include "platform/vfw/HookTable.h"

namespace vfw
{

AviStream::AviStream(AviFile* owner) : file(owner)
{
    file->AddRef();
    detail::CountStream(1);
}

AviStream::AviStream(AviStream* below) : source(below)
{
    source->AddRef();
    detail::CountStream(1);
}

AviStream::~AviStream()
{
    if (source)
        source->Release();
    if (file)
        file->Release();
    detail::CountStream(-1);
}

std::uint32_t AviStream::Release()
{
    if (--references > 0)
        return references;
    delete this;
    return 0;
}

HRESULT AviStream::SetFormat(const void* format, std::int32_t size)
{
    return source ? source->SetFormat(format, size) : file->SetFormat(format, size);
}

HRESULT AviStream::Write(std::int32_t start, std::int32_t samples, const void* buffer, std::int32_t size,
                         std::uint32_t flags)
{
    return source ? source->Write(start, samples, buffer, size, flags)
                  : file->Write(start, samples, buffer, size, flags);
}

} // namespace vfw
