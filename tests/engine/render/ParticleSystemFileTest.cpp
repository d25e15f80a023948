#include "content/ParticleFileWriter.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/render/ParticleSystemFile.h"
#include "tests/support/FileErrorText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <string>

namespace OrvaneEngine
{
namespace
{

using corvellan::content::ParticleFileDamage;
using corvellan::content::ParticleFileRecord;
using corvellan::content::ParticleFileWriter;

// Reads bytes as "fx\a.psf"; the FileError text, or "" when it was read.
std::string ReadBytes(const std::string& bytes, ParticleSystemFile& out)
{
    FileBinary file("a.psf", false, false, true, static_cast<std::uint32_t>(bytes.size()), bytes.data());
    return corvellan::test::FileErrorText([&] { out.Read(file, "fx\\a.psf"); }, "");
}

std::uint32_t U32At(const std::string& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

float FloatAt(const std::string& bytes, std::size_t offset)
{
    return std::bit_cast<float>(U32At(bytes, offset));
}

// Every field a different value, so that a field read from the wrong place shows.
ParticleFileRecord DistinctRecord(std::uint32_t version)
{
    ParticleFileRecord record;
    record.version = version;
    record.maxParticleCount = 77;
    record.cycleLength = 2.5f;
    record.gravityOn = 0;
    record.gravity = 3.25f;
    record.floorOn = 2;
    record.floorHeight = -7.5f;
    record.bounceFactor = 0.625f;
    record.stopAtRest = 0;
    record.restThreshold = 0.125f;
    record.smoothEmission = 0;
    float next = 100.0f;
    auto fill = [&next](auto& keys) {
        for (auto& key : keys)
            key = (next += 1.0f);
    };
    fill(record.rateKeys);
    fill(record.lifeKeys);
    fill(record.lifeSpreadKeys);
    for (auto& key : record.directionKeys)
        fill(key);
    for (auto& key : record.directionSpreadKeys)
        fill(key);
    for (auto& key : record.colorKeys)
        fill(key);
    fill(record.sizeKeys);
    fill(record.speedKeys);
    fill(record.speedSpreadKeys);
    record.emitterKind = 2;
    record.boxMin = {-1.5f, -2.5f, -3.5f};
    record.boxMax = {4.5f, 5.5f, 6.5f};
    return record;
}

void ExpectSettings(const ParticleSystemFile& file, const ParticleFileRecord& record, bool speedSpreads)
{
    const ParticleSystemSettings& s = file.settings;
    EXPECT_EQ(file.maxParticleCount, record.maxParticleCount);
    EXPECT_EQ(s.cycleLength, record.cycleLength);
    EXPECT_EQ(s.gravityOn, record.gravityOn);
    EXPECT_EQ(s.gravity, record.gravity);
    EXPECT_EQ(s.floorOn, record.floorOn);
    EXPECT_EQ(s.floorHeight, record.floorHeight);
    EXPECT_EQ(s.bounceFactor, record.bounceFactor);
    EXPECT_EQ(s.stopAtRest, record.stopAtRest);
    EXPECT_EQ(s.restThreshold, record.restThreshold);
    EXPECT_EQ(s.smoothEmission, record.smoothEmission);
    for (std::size_t k = 0; k < 6; ++k)
    {
        SCOPED_TRACE(k);
        EXPECT_EQ(s.rateKeys[k], record.rateKeys[k]);
        EXPECT_EQ(s.lifeKeys[k], record.lifeKeys[k]);
        EXPECT_EQ(s.lifeSpreadKeys[k], record.lifeSpreadKeys[k]);
        EXPECT_EQ(s.directionKeys[k].x, record.directionKeys[k][0]);
        EXPECT_EQ(s.directionKeys[k].y, record.directionKeys[k][1]);
        EXPECT_EQ(s.directionKeys[k].z, record.directionKeys[k][2]);
        EXPECT_EQ(s.directionSpreadKeys[k].x, record.directionSpreadKeys[k][0]);
        EXPECT_EQ(s.directionSpreadKeys[k].y, record.directionSpreadKeys[k][1]);
        EXPECT_EQ(s.directionSpreadKeys[k].z, record.directionSpreadKeys[k][2]);
        EXPECT_EQ(s.colorKeys[k].r, record.colorKeys[k][0]);
        EXPECT_EQ(s.colorKeys[k].g, record.colorKeys[k][1]);
        EXPECT_EQ(s.colorKeys[k].b, record.colorKeys[k][2]);
        EXPECT_EQ(s.colorKeys[k].a, record.colorKeys[k][3]);
        EXPECT_EQ(s.sizeKeys[k], record.sizeKeys[k]);
        EXPECT_EQ(s.speedKeys[k], record.speedKeys[k]);
        EXPECT_EQ(s.speedSpreadKeys[k], speedSpreads ? record.speedSpreadKeys[k] : 0.0f);
    }
    EXPECT_EQ(file.emitterKind, record.emitterKind);
    EXPECT_EQ(file.boxMin.x, record.boxMin[0]);
    EXPECT_EQ(file.boxMin.y, record.boxMin[1]);
    EXPECT_EQ(file.boxMin.z, record.boxMin[2]);
    EXPECT_EQ(file.boxMax.x, record.boxMax[0]);
    EXPECT_EQ(file.boxMax.y, record.boxMax[1]);
    EXPECT_EQ(file.boxMax.z, record.boxMax[2]);
}

TEST(ParticleSystemFileTest, Version204RoundTripsEveryField)
{
    const ParticleFileRecord record = DistinctRecord(204);
    const std::string bytes = ParticleFileWriter::Build(record);
    ASSERT_EQ(bytes.size(), ParticleSystemFile::FileSize);
    // The table's offsets, read from the bytes themselves.
    EXPECT_EQ(U32At(bytes, 0), 453u);
    EXPECT_EQ(bytes.substr(4, 5), "OVPSF");
    EXPECT_EQ(U32At(bytes, 13), 77u);
    EXPECT_EQ(FloatAt(bytes, 353), record.sizeKeys[0]);
    EXPECT_EQ(FloatAt(bytes, 401), record.speedSpreadKeys[0]);
    EXPECT_EQ(U32At(bytes, 425), 2u);
    EXPECT_EQ(FloatAt(bytes, 441), 4.5f);

    ParticleSystemFile file;
    ASSERT_EQ(ReadBytes(bytes, file), "");
    EXPECT_EQ(file.version, 204u);
    ExpectSettings(file, record, true);
}

TEST(ParticleSystemFileTest, Version203HasNoSpeedSpreads)
{
    const ParticleFileRecord record = DistinctRecord(203);
    const std::string bytes = ParticleFileWriter::Build(record);
    ASSERT_EQ(bytes.size(), ParticleSystemFile::OldFileSize);
    EXPECT_EQ(U32At(bytes, 401), 2u);
    EXPECT_EQ(FloatAt(bytes, 405), -1.5f);
    EXPECT_EQ(FloatAt(bytes, 417), 4.5f);

    ParticleSystemFile file;
    // A reader used before keeps no speed spreads of the earlier file.
    file.settings.speedSpreadKeys = ParticleSystemSettings::Fill(9.0f);
    ASSERT_EQ(ReadBytes(bytes, file), "");
    EXPECT_EQ(file.version, 203u);
    ExpectSettings(file, record, false);
}

TEST(ParticleSystemFileTest, DamagedFilesThrowTheirTexts)
{
    const std::string format = "Incorrect \"fx\\a.psf\" file format";
    ParticleFileRecord record;
    auto with = [&record](auto change, ParticleFileDamage damage = {}) {
        ParticleFileRecord changed = record;
        change(changed);
        return ParticleFileWriter::Build(changed, damage);
    };
    auto same = [](ParticleFileRecord&) {};
    ParticleFileDamage longer;
    longer.sizeField = 454;
    ParticleFileDamage shorter;
    shorter.sizeField = 452;
    ParticleFileDamage magic;
    magic.magic = "OVPSX";
    ParticleFileDamage oldSize;
    oldSize.sizeField = 429;
    struct Case
    {
        const char* name;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"version 205", with([](ParticleFileRecord& r) { r.version = 205; }),
         "Incorrect \"fx\\a.psf\" format version, current is 204"},
        {"version 0", with([](ParticleFileRecord& r) { r.version = 0; }),
         "Incorrect \"fx\\a.psf\" format version, current is 204"},
        {"size field one more", with(same, longer), format},
        {"size field one less", with(same, shorter), format},
        {"size field of the old version", with(same, oldSize), format},
        {"magic", with(same, magic), format},
        {"count above the bound", with([](ParticleFileRecord& r) { r.maxParticleCount = 4194305; }), format},
        {"count 0xFFFFFFFF", with([](ParticleFileRecord& r) { r.maxParticleCount = 0xFFFFFFFFu; }), format},
        {"empty", std::string(), ""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ParticleSystemFile file;
        const std::string text = ReadBytes(c.bytes, file);
        if (c.text.empty())
            EXPECT_FALSE(text.empty());
        else
            EXPECT_EQ(text, c.text);
    }

    // Cut short with the size field telling the truth: the read error of the
    // file layer, not a format text, and no field read past the end.
    for (std::uint32_t cut : {452u, 428u, 20u, 13u})
    {
        SCOPED_TRACE(cut);
        ParticleFileDamage damage;
        damage.cutTo = cut;
        ParticleSystemFile file;
        const std::string text = ReadBytes(ParticleFileWriter::Build(record, damage), file);
        EXPECT_EQ(text.rfind("Failed to read", 0), 0u) << text;
    }
    // A 203 file cut to 428 bytes likewise.
    ParticleFileDamage damage;
    damage.cutTo = 428;
    ParticleSystemFile file;
    const std::string text = ReadBytes(with([](ParticleFileRecord& r) { r.version = 203; }, damage), file);
    EXPECT_EQ(text.rfind("Failed to read", 0), 0u) << text;
}

TEST(ParticleSystemFileTest, CountsUpToTheBoundAreKept)
{
    for (std::uint32_t count : {0u, 1u, 10923u, ParticleSystemFile::MaxParticleCount})
    {
        SCOPED_TRACE(count);
        ParticleFileRecord record;
        record.maxParticleCount = count;
        ParticleSystemFile file;
        ASSERT_EQ(ReadBytes(ParticleFileWriter::Build(record), file), "");
        EXPECT_EQ(file.maxParticleCount, count);
    }
}

TEST(ParticleSystemFileTest, WriterDefaultsAreTheEngineDefaults)
{
    ParticleSystemFile file;
    ASSERT_EQ(ReadBytes(ParticleFileWriter::Build({}), file), "");
    const ParticleSystemSettings defaults;
    const ParticleSystemSettings& s = file.settings;
    EXPECT_EQ(s.cycleLength, defaults.cycleLength);
    EXPECT_EQ(s.gravityOn, defaults.gravityOn);
    EXPECT_EQ(s.floorHeight, defaults.floorHeight);
    EXPECT_EQ(s.bounceFactor, defaults.bounceFactor);
    EXPECT_EQ(s.restThreshold, defaults.restThreshold);
    EXPECT_EQ(s.rateKeys, defaults.rateKeys);
    EXPECT_EQ(s.lifeKeys, defaults.lifeKeys);
    EXPECT_EQ(s.sizeKeys, defaults.sizeKeys);
    EXPECT_EQ(s.speedKeys, defaults.speedKeys);
    EXPECT_EQ(s.speedSpreadKeys, defaults.speedSpreadKeys);
    for (std::size_t k = 0; k < 6; ++k)
    {
        EXPECT_EQ(s.directionSpreadKeys[k].x, 1.0f);
        EXPECT_EQ(s.colorKeys[k].a, 1.0f);
    }
}

} // namespace
} // namespace OrvaneEngine
