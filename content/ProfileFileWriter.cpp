#include "content/ProfileFileWriter.h"

#include "content/AtomicWrite.h"
#include "content/LittleEndian.h"

namespace corvellan::content
{

std::string ProfileFileWriter::Build(const ProfileFileContents& contents, const RecordFileDamage& damage)
{
    std::string body;
    AppendWideString(body, contents.name);
    for (const std::uint32_t value : {contents.mode, contents.gameCounter, contents.score, contents.nextStage,
                                      contents.nextLevel, contents.reachedStage, contents.reachedLevel})
        AppendLittle32(body, value);
    body.push_back(static_cast<char>(contents.reachedEnd));
    AppendLittle32(body, damage.count.value_or(static_cast<std::uint32_t>(contents.results.size())));
    for (const ProfileFileResult& result : contents.results)
    {
        AppendLittle32(body, result.mode);
        AppendLittle32(body, result.stage);
        AppendLittle32(body, result.level);
        AppendFloat(body, result.time);
    }
    body.push_back(static_cast<char>(contents.gameInProgress));
    AppendFloat(body, contents.musicVolume);
    AppendFloat(body, contents.soundVolume);
    for (const std::uint8_t value : contents.gameBytes)
        body.push_back(static_cast<char>(value));
    return BuildRecordFile(Magic, Version, std::move(body), damage);
}

bool ProfileFileWriter::WriteTo(const std::string& path, const ProfileFileContents& contents,
                                const RecordFileDamage& damage)
{
    return WriteFileAtomically(path, Build(contents, damage));
}

} // namespace corvellan::content
