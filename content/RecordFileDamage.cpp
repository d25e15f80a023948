#include "content/RecordFileDamage.h"

#include "content/LittleEndian.h"

namespace corvellan::content
{

std::string BuildRecordFile(std::string_view magic, std::uint32_t version, std::string body,
                            const RecordFileDamage& damage)
{
    if (damage.keepBodyBytes && *damage.keepBodyBytes < body.size())
        body.resize(*damage.keepBodyBytes);
    return VersionedFileWriter::Build(magic, version, body, damage.header);
}

void AppendWideString(std::string& bytes, const std::u16string& text)
{
    bytes.push_back(static_cast<char>(text.size() + 1));
    for (const char16_t unit : text)
        AppendLittle16(bytes, unit);
    AppendLittle16(bytes, 0);
}

} // namespace corvellan::content
