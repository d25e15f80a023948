#include "content/HighScoresWriter.h"

#include "content/AtomicWrite.h"
#include "content/LittleEndian.h"

namespace corvellan::content
{

std::string HighScoresWriter::Build(std::uint32_t sequenceCounter, const std::vector<HighScoresRow>& rows,
                                    const RecordFileDamage& damage)
{
    std::string body;
    AppendLittle32(body, sequenceCounter);
    AppendLittle32(body, damage.count.value_or(static_cast<std::uint32_t>(rows.size())));
    for (const HighScoresRow& row : rows)
    {
        AppendWideString(body, row.name);
        AppendLittle32(body, row.mode);
        AppendLittle32(body, row.score);
        AppendLittle32(body, row.sequence);
    }
    return BuildRecordFile(Magic, Version, std::move(body), damage);
}

bool HighScoresWriter::WriteTo(const std::string& path, std::uint32_t sequenceCounter,
                               const std::vector<HighScoresRow>& rows, const RecordFileDamage& damage)
{
    return WriteFileAtomically(path, Build(sequenceCounter, rows, damage));
}

} // namespace corvellan::content
