#include "content/ProfileListWriter.h"

#include "content/AtomicWrite.h"
#include "content/LittleEndian.h"

namespace corvellan::content
{

std::string ProfileListWriter::Build(const std::u16string& currentName, const std::vector<ProfileListRecord>& records,
                                     const RecordFileDamage& damage)
{
    std::string body;
    AppendWideString(body, currentName);
    AppendLittle32(body, damage.count.value_or(static_cast<std::uint32_t>(records.size())));
    for (const ProfileListRecord& record : records)
    {
        AppendLittle32(body, record.number1);
        AppendLittle32(body, record.number2);
        AppendWideString(body, record.text);
        AppendLittle32(body, record.valueBits);
    }
    return BuildRecordFile(Magic, Version, std::move(body), damage);
}

bool ProfileListWriter::WriteTo(const std::string& path, const std::u16string& currentName,
                                const std::vector<ProfileListRecord>& records, const RecordFileDamage& damage)
{
    return WriteFileAtomically(path, Build(currentName, records, damage));
}

} // namespace corvellan::content
