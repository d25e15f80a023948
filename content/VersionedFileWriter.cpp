#include "content/VersionedFileWriter.h"

#include "platform/win32/AtomicFile.h"
#include "platform/win32/CFile.h"

namespace corvellan::content
{
namespace
{

constexpr std::size_t HeaderSize = 13;
constexpr std::size_t MagicSize = 5;

void PutUInt32(std::string& bytes, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

std::string VersionedFileWriter::Build(std::string_view magic, std::uint32_t version, const std::string& body,
                                       const VersionedFileDamage& damage)
{
    std::string bytes;
    bytes.reserve(HeaderSize + body.size());
    PutUInt32(bytes, damage.sizeField.value_or(static_cast<std::uint32_t>(HeaderSize + body.size())));
    std::string magicBytes = damage.magic ? *damage.magic : std::string(magic);
    magicBytes.resize(MagicSize, '\0');
    bytes += magicBytes;
    PutUInt32(bytes, damage.version.value_or(version));
    bytes += body;
    return bytes;
}

bool VersionedFileWriter::WriteTo(const std::string& path, std::string_view magic, std::uint32_t version,
                                  const std::string& body, const VersionedFileDamage& damage)
{
    const std::string bytes = Build(magic, version, body, damage);
    win32::AtomicFile file(path);
    if (!file.IsOpen())
        return false;
    if (win32::fwrite(bytes.data(), 1, bytes.size(), file.GetStream()) != bytes.size())
        return false;
    return file.Commit();
}

} // namespace corvellan::content
