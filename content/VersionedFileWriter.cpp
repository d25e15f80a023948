#include "content/VersionedFileWriter.h"

#include "content/AtomicWrite.h"
#include "content/LittleEndian.h"

namespace corvellan::content
{
namespace
{

constexpr std::size_t HeaderSize = 13;
constexpr std::size_t MagicSize = 5;

} // namespace

std::string VersionedFileWriter::Build(std::string_view magic, std::uint32_t version, const std::string& body,
                                       const VersionedFileDamage& damage)
{
    std::string bytes;
    bytes.reserve(HeaderSize + body.size());
    AppendLittle32(bytes, damage.sizeField.value_or(static_cast<std::uint32_t>(HeaderSize + body.size())));
    std::string magicBytes = damage.magic ? *damage.magic : std::string(magic);
    magicBytes.resize(MagicSize, '\0');
    bytes += magicBytes;
    AppendLittle32(bytes, damage.version.value_or(version));
    bytes += body;
    return bytes;
}

bool VersionedFileWriter::WriteTo(const std::string& path, std::string_view magic, std::uint32_t version,
                                  const std::string& body, const VersionedFileDamage& damage)
{
    return WriteFileAtomically(path, Build(magic, version, body, damage));
}

} // namespace corvellan::content
