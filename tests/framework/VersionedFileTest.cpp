#include "content/FuzzSeeds.h"
#include "content/VersionedFileWriter.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "framework/VersionedFile.h"
#include "platform/win32/AtomicFile.h"
#include "platform/win32/testing/CFileHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FileErrorText.h"
#include "tests/support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace GameFramework
{
namespace
{

using corvellan::content::VersionedFileDamage;
using corvellan::content::VersionedFileWriter;
using corvellan::test::ReadFileText;
using corvellan::test::TempFolder;
using corvellan::test::FileErrorText;
using corvellan::test::WriteFileBytes;
using OrvaneEngine::FileError;
using win32::testing::FileCall;

constexpr const char* Magic = "MBPRF";
constexpr std::uint32_t Version = 104;


std::string LittleEndian(std::uint32_t value)
{
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return bytes;
}

class VersionedFileTest : public ::testing::Test
{
protected:
    void TearDown() override { win32::testing::ResetFileHooks(); }

    // Writes body through a VersionedFile and closes it.
    void Save(VersionedFile& file, const std::string& name, const std::string& body, std::uint32_t forWrite = 1)
    {
        file.Open(name, forWrite, 0, nullptr);
        file.GetFile()->Write(body.data(), static_cast<std::uint32_t>(body.size()));
        file.Close();
    }

    // A good file already on disk, as a previous save left it.
    std::string PutOldFile(const std::string& name)
    {
        const std::string bytes = VersionedFileWriter::Build(Magic, Version, "old body");
        EXPECT_TRUE(WriteFileBytes(folder.Join(name), bytes));
        return bytes;
    }

    bool TemporaryLeft(const std::string& name) const
    {
        return std::filesystem::exists(win32::AtomicFile::TemporaryName(folder.Join(name)));
    }

    TempFolder folder;
    OrvaneEngine::MessageManager log{"test", false, false, "", ""};
    OrvaneEngine::FileManager files{&log, folder.Path(), ""};
};

TEST_F(VersionedFileTest, WrittenFileCarriesItsFinalSizeAndReadsBackAtTheBody)
{
    VersionedFile writer(&files, Magic, Version);
    const std::string body(20, 'b');
    Save(writer, "saves\\p.prf", body);
    EXPECT_EQ(writer.GetFile(), nullptr);
    EXPECT_EQ(ReadFileText(folder.Join("saves/p.prf")), LittleEndian(33) + "MBPRF" + LittleEndian(104) + body);

    VersionedFile reader(&files, "MBPRFxyz", Version);
    reader.Open("saves\\p.prf", 0, 0, nullptr);
    ASSERT_NE(reader.GetFile(), nullptr);
    EXPECT_EQ(reader.GetFile()->GetPosition(), VersionedFile::HeaderSize);
    std::string read(20, '\0');
    reader.GetFile()->Read(read.data(), 20);
    EXPECT_EQ(read, body);
}

TEST_F(VersionedFileTest, ReadingRejectsDamagedHeadersWithTheirOwnTexts)
{
    const std::string body(20, 'b');
    const struct
    {
        const char* what;
        std::string bytes;
        std::string error;
    } cases[] = {
        {"magic case", VersionedFileWriter::Build("MBPRf", Version, body), "Incorrect + \"p.prf\" file format"},
        {"size + 1", VersionedFileWriter::Build(Magic, Version, body, VersionedFileDamage{34, {}, {}}),
         "Incorrect + \"p.prf\" file format"},
        {"size - 1", VersionedFileWriter::Build(Magic, Version, body, VersionedFileDamage{32, {}, {}}),
         "Incorrect + \"p.prf\" file format"},
        {"grown", VersionedFileWriter::Build(Magic, Version, body) + "x", "Incorrect + \"p.prf\" file format"},
        {"older version", VersionedFileWriter::Build(Magic, 103, body),
         "Incorrect \"p.prf\" format version (103), current is 104"},
        {"12 bytes", VersionedFileWriter::Build(Magic, Version, "").substr(0, 12),
         "Failed to read 13 bytes from \"" + folder.Path() + "\\p.prf\" file"},
    };
    for (const auto& c : cases)
    {
        ASSERT_TRUE(WriteFileBytes(folder.Join("p.prf"), c.bytes));
        VersionedFile file(&files, Magic, Version);
        EXPECT_EQ(FileErrorText([&] { file.Open("p.prf", 0, 0, nullptr); }), c.error) << c.what;
        EXPECT_EQ(file.GetFile(), nullptr) << c.what;
    }

    VersionedFile file(&files, Magic, Version);
    EXPECT_THAT(FileErrorText([&] { file.Open("missing.prf", 0, 0, nullptr); }), ::testing::StartsWith("Failed to open"));
}

TEST_F(VersionedFileTest, AnyVersionIsAcceptedWhenAskedAndReported)
{
    ASSERT_TRUE(WriteFileBytes(folder.Join("p.prf"), VersionedFileWriter::Build(Magic, 103, "body")));
    VersionedFile file(&files, Magic, Version);
    std::uint32_t found = 0;
    file.Open("p.prf", 0, 1, &found);
    EXPECT_EQ(found, 103u);
    EXPECT_EQ(file.GetFile()->GetPosition(), VersionedFile::HeaderSize);
    file.Open("p.prf", 0, 1, nullptr);
    EXPECT_NE(file.GetFile(), nullptr);
}

TEST_F(VersionedFileTest, OpeningAgainFinishesTheFileBeingWritten)
{
    VersionedFile file(&files, Magic, Version);
    file.Open("first.prf", 1, 0, nullptr);
    file.GetFile()->Write("abcd", 4);
    file.Open("second.prf", 1, 0, nullptr);
    EXPECT_EQ(ReadFileText(folder.Join("first.prf")), VersionedFileWriter::Build(Magic, Version, "abcd"));
}

TEST_F(VersionedFileTest, AnyNonZeroWriteFlagWritesAReadableFile)
{
    VersionedFile writer(&files, Magic, Version);
    Save(writer, "p.prf", "body", 2);
    VersionedFile reader(&files, Magic, Version);
    reader.Open("p.prf", 0, 0, nullptr);
    EXPECT_EQ(reader.GetFile()->GetSize(), 17u);
}

// The provisional header is write 1, the body writes 2 and 3, the final
// header write 4.
TEST_F(VersionedFileTest, AFailureWhileClosingReportsAndKeepsTheOldFile)
{
    const struct
    {
        FileCall call;
        std::uint32_t nth;
    } cases[] = {
        {FileCall::Write, 4}, {FileCall::Flush, 1}, {FileCall::Sync, 1}, {FileCall::Close, 1}, {FileCall::Rename, 1},
    };
    for (const auto& c : cases)
    {
        const std::string old = PutOldFile("p.prf");
        win32::testing::ResetFileHooks();
        win32::testing::FailFileCall(c.call, c.nth, "p.prf");
        VersionedFile file(&files, Magic, Version);
        file.Open("p.prf", 1, 0, nullptr);
        file.GetFile()->Write("new ", 4);
        file.GetFile()->Write("body", 4);
        EXPECT_THAT(FileErrorText([&] { file.Close(); }), ::testing::StartsWith("Failed to write")) << c.nth;
        EXPECT_EQ(file.GetFile(), nullptr);
        EXPECT_EQ(ReadFileText(folder.Join("p.prf")), old) << static_cast<int>(c.call);
        EXPECT_FALSE(TemporaryLeft("p.prf")) << static_cast<int>(c.call);
    }
}

TEST_F(VersionedFileTest, AFailedBodyWriteNeverReplacesTheOldFile)
{
    const std::string old = PutOldFile("p.prf");
    {
        VersionedFile file(&files, Magic, Version);
        file.Open("p.prf", 1, 0, nullptr);
        win32::testing::FailFileCall(FileCall::Write, 2, "p.prf");
        file.GetFile()->Write("new ", 4);
        EXPECT_THAT(FileErrorText([&] { file.GetFile()->Write("body", 4); }), ::testing::StartsWith("Failed to write"));
        // Destroyed with the failed write still open.
    }
    EXPECT_EQ(ReadFileText(folder.Join("p.prf")), old);
    EXPECT_FALSE(TemporaryLeft("p.prf"));

    // The next save through the same object is not held back by the failed one.
    VersionedFile file(&files, Magic, Version);
    file.Open("p.prf", 1, 0, nullptr);
    win32::testing::FailFileCall(FileCall::Write, 1, "p.prf");
    EXPECT_NE(FileErrorText([&] { file.GetFile()->Write("body", 4); }), "<none>");
    EXPECT_EQ(FileErrorText([&] { Save(file, "p.prf", "new body"); }), "<none>");
    EXPECT_EQ(ReadFileText(folder.Join("p.prf")), VersionedFileWriter::Build(Magic, Version, "new body"));
    EXPECT_FALSE(TemporaryLeft("p.prf"));
}

TEST_F(VersionedFileTest, ASaveLeftByTheCallersOwnExceptionIsAbandoned)
{
    const std::string old = PutOldFile("p.prf");
    try
    {
        VersionedFile file(&files, Magic, Version);
        file.Open("p.prf", 1, 0, nullptr);
        file.GetFile()->Write("new ", 4);
        throw std::runtime_error("the caller gave up");
    }
    catch (const std::runtime_error&)
    {
    }
    EXPECT_EQ(ReadFileText(folder.Join("p.prf")), old);
    EXPECT_FALSE(TemporaryLeft("p.prf"));
}

TEST_F(VersionedFileTest, SeedsHoldOneSoundFileOfEachFormatAndTwoDamagedOnes)
{
    ASSERT_TRUE(corvellan::content::WriteVersionedFileSeeds(folder.Join("seeds")));
    for (const auto& format : corvellan::content::VersionedFileFormats)
    {
        VersionedFile file(&files, format.magic, format.version);
        const std::string name = "seeds\\versioned_file\\" + std::string(format.magic) + ".dat";
        EXPECT_EQ(FileErrorText([&] { file.Open(name, 0, 0, nullptr); }), "<none>") << format.magic;
    }
    for (const char* damaged : {"cut_short.dat", "wrong_size.dat"})
    {
        VersionedFile file(&files, Magic, Version);
        EXPECT_NE(FileErrorText([&] { file.Open(std::string("seeds\\versioned_file\\") + damaged, 0, 0, nullptr); }),
                  "<none>")
            << damaged;
    }
}

} // namespace
} // namespace GameFramework
