#include "content/PackWriter.h"
#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathFunctions.h"
#include "engine/core/StringFunctions.h"
#include "platform/win32/testing/CFileHooks.h"
#include "platform/win32/testing/ShellHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace OrvaneEngine
{
namespace
{

using corvellan::content::PackDamage;
using corvellan::content::PackWriter;
using corvellan::test::ReadFileText;
using corvellan::test::ScopedEnvironment;
using corvellan::test::TempFolder;
using corvellan::test::WriteFileBytes;

std::string ReadAll(FileBinary& file)
{
    std::string bytes(file.GetSize(), '\0');
    file.Read(bytes.data(), file.GetSize());
    return bytes;
}

class FileManagerTest : public ::testing::Test
{
protected:
    void AddPack(const std::string& name, const PackWriter& pack, const PackDamage& damage = {})
    {
        ASSERT_TRUE(WriteFileBytes(root.Join("Data/" + name), pack.Build(damage)));
    }

    std::unique_ptr<FileManager> Manager() { return std::make_unique<FileManager>(&log, root.Path(), "Data"); }

    std::string Read(FileManager& files, const std::string& name)
    {
        auto file = files.Open(name, false);
        return ReadAll(*file);
    }

    std::vector<std::string> Messages() const
    {
        std::vector<std::string> texts;
        for (std::int32_t index = 0; index < log.GetMessageCount(); ++index)
            texts.push_back(log.GetMessage(static_cast<std::uint32_t>(index)).text);
        return texts;
    }

    TempFolder root;
    MessageManager log{"Test", false, false, "", ""};
};

TEST_F(FileManagerTest, LooseFilesComeFirstThenThePacks)
{
    PackWriter pack;
    pack.Add("data\\ui\\x.ini", "packed");
    AddPack("pack0.pak", pack);
    ASSERT_TRUE(WriteFileBytes(root.Join("data/ui/x.ini"), "loose"));
    auto files = Manager();
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Initialization of File Manager...\n",
                                                    "...Pack file " + root.Path() + "\\Data\\pack0.pak found...\n",
                                                    "......It contains 1 files...\n"}));

    EXPECT_EQ(Read(*files, "data\\ui\\x.ini"), "loose");
    std::filesystem::remove(root.Join("data/ui/x.ini"));
    EXPECT_TRUE(files->Exists("data\\ui\\x.ini"));
    // A packed file comes out of memory and carries the path it would have on disk.
    const std::uint32_t opens = win32::testing::GetFileOpenCount();
    auto file = files->Open("data\\ui\\x.ini", false);
    EXPECT_EQ(win32::testing::GetFileOpenCount(), opens);
    EXPECT_EQ(file->GetName(), root.Path() + "\\data\\ui\\x.ini");
    EXPECT_EQ(ReadAll(*file), "packed");
    file.reset();
    // The copy needs the pack no more.
    files.reset();
}

// Folder listings may be kept between opens; whatever happens on disk between
// two opens must show at the second, whether the folders were changed long
// ago (a kept listing is trusted) or a moment before (a change in the same
// timestamp tick leaves the folder's time as it was).
TEST_F(FileManagerTest, DiskChangesShowAtTheNextOpen)
{
    enum class Change
    {
        Create,
        CreateWithFolders,
        Remove,
        RenameAway,
        RenameHere,
    };
    const struct
    {
        Change change;
        const char* opened;   // the name given to Open
        const char* diskName; // the loose file's name under text/ui
        const char* before;
        const char* after;
    } cases[] = {
        {Change::Create, "text\\ui\\x.ini", "x.ini", "packed", "loose"},
        {Change::Create, "TEXT\\UI\\X.INI", "x.ini", "packed", "loose"},
        {Change::Create, "text\\ui\\x.ini", "X.Ini", "packed", "loose"},
        {Change::CreateWithFolders, "text\\ui\\x.ini", "x.ini", "packed", "loose"},
        {Change::CreateWithFolders, "Text\\UI\\x.ini", "x.ini", "packed", "loose"},
        {Change::Remove, "text\\ui\\x.ini", "x.ini", "loose", "packed"},
        {Change::Remove, "Text\\Ui\\X.ini", "x.ini", "loose", "packed"},
        {Change::RenameAway, "text\\ui\\x.ini", "x.ini", "loose", "packed"},
        {Change::RenameAway, "TEXT\\ui\\x.INI", "X.INI", "loose", "packed"},
        {Change::RenameHere, "text\\ui\\x.ini", "x.ini", "packed", "loose"},
        {Change::RenameHere, "text\\UI\\X.INI", "x.ini", "packed", "loose"},
    };
    PackWriter pack;
    pack.Add("text\\ui\\x.ini", "packed");
    AddPack("pack0.pak", pack);
    auto files = Manager();
    // Not under data: the pack folder Data would come first among the
    // folders that match DATA without regard to case.
    const std::string folder = root.Join("text/ui");
    // Folder times: as the changes leave them; an hour back, so that kept
    // listings are trusted; or an hour ahead and put back after the change,
    // as a change in the same timestamp tick leaves them.
    enum class Times
    {
        AsTheyCome,
        LongAgo,
        SameTick,
    };
    const auto levels = [&] { return std::vector<std::string>{root.Path(), root.Join("text"), folder}; };
    const auto setTimes = [&](std::filesystem::file_time_type time) {
        for (const std::string& level : levels())
        {
            if (std::filesystem::exists(level))
                std::filesystem::last_write_time(level, time);
        }
    };
    for (const Times times : {Times::AsTheyCome, Times::LongAgo, Times::SameTick})
    {
        for (const auto& c : cases)
        {
            const std::string where = std::string(c.opened) + " times " + std::to_string(static_cast<int>(times));
            std::filesystem::remove_all(root.Join("text"));
            // The remove case starts with a file, and a rename away too; a
            // create starts without the folders, a rename here beside them.
            if (c.change == Change::Create || c.change == Change::CreateWithFolders)
                ASSERT_TRUE(WriteFileBytes(root.Join("elsewhere.txt"), "x"));
            else if (c.change == Change::RenameHere)
                ASSERT_TRUE(WriteFileBytes(folder + "/other.ini", "loose"));
            else
                ASSERT_TRUE(WriteFileBytes(folder + "/" + c.diskName, "loose"));
            // The create case makes its folders, whose times cannot be set
            // before they exist.
            if (c.change == Change::Create)
                std::filesystem::create_directories(folder);
            const auto now = std::filesystem::file_time_type::clock::now();
            if (times == Times::LongAgo)
                setTimes(now - std::chrono::hours(1));
            else if (times == Times::SameTick)
                setTimes(now + std::chrono::hours(1));
            EXPECT_EQ(Read(*files, c.opened), c.before) << where;
            EXPECT_EQ(Read(*files, c.opened), c.before) << where;

            switch (c.change)
            {
            case Change::Create:
            case Change::CreateWithFolders:
                ASSERT_TRUE(WriteFileBytes(folder + "/" + c.diskName, "loose"));
                break;
            case Change::Remove:
                std::filesystem::remove(folder + "/" + c.diskName);
                break;
            case Change::RenameAway:
                std::filesystem::rename(folder + "/" + c.diskName, folder + "/other.ini");
                break;
            case Change::RenameHere:
                std::filesystem::rename(folder + "/other.ini", folder + "/" + c.diskName);
                break;
            }
            if (times == Times::SameTick)
                setTimes(now + std::chrono::hours(1));
            EXPECT_EQ(Read(*files, c.opened), c.after) << where;
            EXPECT_EQ(files->Exists(c.opened), true) << where;
            if (c.change == Change::RenameAway)
            {
                EXPECT_EQ(Read(*files, "text\\ui\\OTHER.ini"), "loose") << where;
            }
        }
    }
}

TEST_F(FileManagerTest, EmptyEntriesAndEntriesAtTheEndOfThePackRead)
{
    // A pack above the memory threshold is read from its open stream.
    for (const std::size_t padding : {std::size_t{0}, std::size_t{FileBinary::MemoryThreshold}})
    {
        std::filesystem::remove_all(root.Join("Data"));
        PackWriter pack;
        pack.Add("data\\empty.bin", "");
        pack.Add("data\\middle.bin", std::string(padding, 'p') + "middle");
        pack.Add("data\\last.bin", "the last bytes");
        pack.Add("data\\empty_at_end.bin", "");
        AddPack("pack0.pak", pack);
        auto files = Manager();
        const struct
        {
            const char* name;
            std::size_t size;
            const char* tail;
        } cases[] = {
            {"data\\empty.bin", 0, ""},
            {"data\\middle.bin", padding + 6, "middle"},
            {"data\\last.bin", 14, "the last bytes"},
            {"data\\empty_at_end.bin", 0, ""},
        };
        for (const auto& c : cases)
        {
            auto file = files->Open(c.name, false);
            ASSERT_EQ(file->GetSize(), c.size) << c.name;
            EXPECT_TRUE(file->IsInMemory()) << c.name;
            const std::string bytes = ReadAll(*file);
            EXPECT_EQ(bytes.substr(bytes.size() - std::strlen(c.tail)), c.tail) << c.name;
            std::uint32_t got = 1;
            char spare = 0;
            file->Read(&spare, 1, &got);
            EXPECT_EQ(got, 0u) << c.name;
        }
    }
}

TEST_F(FileManagerTest, OfTwoPacksTheFirstInSortedOrderWins)
{
    PackWriter upper;
    upper.Add("data\\x.ini", "from B");
    upper.Add("data\\only_b.ini", "b");
    PackWriter lower;
    lower.Add("data\\x.ini", "from a");
    AddPack("B.pak", upper);
    AddPack("a.pak", lower);
    for (int run = 0; run < 3; ++run)
    {
        auto files = Manager();
        EXPECT_EQ(Read(*files, "data\\x.ini"), "from a");
        EXPECT_EQ(Read(*files, "data\\only_b.ini"), "b");
    }
}

TEST_F(FileManagerTest, PackLookupsFoldCaseAndDoubledBackslashesOnly)
{
    PackWriter pack;
    pack.Add("data\\ui\\x.ini", "x");
    AddPack("pack0.pak", pack);
    auto files = Manager();
    const struct
    {
        std::string name;
        bool found;
    } cases[] = {
        {"data\\ui\\x.ini", true},      {"DATA\\UI\\X.INI", true},    {"data\\\\ui\\\\x.ini", true},
        {"data\\\\\\ui\\x.ini", false}, {"data/ui/x.ini", false},     {"data\\ui\\y.ini", false},
    };
    for (const auto& c : cases)
    {
        std::uint32_t size = 0;
        EXPECT_EQ(files->FindInPacks(c.name, &size, nullptr), c.found) << c.name;
        EXPECT_EQ(files->Exists(c.name), c.found) << c.name;
        EXPECT_EQ(size, c.found ? 1u : 0u) << c.name;
    }
}

TEST_F(FileManagerTest, DiskNamesMatchWithoutCaseButExactlyFirst)
{
    ASSERT_TRUE(WriteFileBytes(root.Join("data/ui/x.ini"), "x"));
    ASSERT_TRUE(WriteFileBytes(root.Join("A.txt"), "upper"));
    ASSERT_TRUE(WriteFileBytes(root.Join("a.txt"), "lower"));
    auto files = Manager();
    EXPECT_EQ(Read(*files, "DATA\\UI\\X.INI"), "x");
    EXPECT_EQ(Read(*files, "A.txt"), "upper");
    EXPECT_EQ(Read(*files, "a.txt"), "lower");
    EXPECT_TRUE(files->Exists("Data\\Ui"));
    try
    {
        files->Open("data\\missing.txt", false);
        ADD_FAILURE();
    }
    catch (const FileError& error)
    {
        EXPECT_EQ(error.GetText(), "Failed to open \"" + root.Path() + "\\data\\missing.txt\" file");
    }
}

TEST_F(FileManagerTest, WritingMakesTheFoldersOnTheWay)
{
    std::filesystem::create_directories(root.Join("data/profiles"));
    auto files = Manager();
    {
        auto file = files->Open("a\\b\\c.txt", true);
        file->Write("abc", 3);
        file->Close();
    }
    EXPECT_EQ(ReadFileText(root.Join("a/b/c.txt")), "abc");
    {
        auto file = files->Open("DATA\\Profiles\\new.prf", true);
        file->Write("p", 1);
    }
    EXPECT_EQ(ReadFileText(root.Join("data/profiles/new.prf")), "p");

    // Text goes through the same door.
    {
        auto text = files->OpenTextual("data\\notes.txt", true, FileTextual::EncodingAnsi);
        text->WriteString("line");
        text->WriteNewLine();
        text->Close();
    }
    auto text = files->OpenTextual("DATA\\NOTES.TXT", false, FileTextual::EncodingAnsi);
    std::string word;
    ASSERT_TRUE(text->GetString(word, false));
    EXPECT_EQ(word, "line");
}

TEST_F(FileManagerTest, DamagedPacksAreLeftOutAndTheRestWork)
{
    PackWriter good;
    good.Add("data\\good.txt", "good");
    PackWriter bad;
    bad.Add("data\\bad.txt", "bad");
    PackDamage damage;
    damage.sizeField = static_cast<std::uint32_t>(bad.Build().size() - 1);
    AddPack("a.pak", bad, damage);
    AddPack("b.pak", good);
    std::filesystem::create_directories(root.Join("Data/sub.pak"));
    AddPack("sub.pak/inner.pak", good);
    AddPack("notapack.txt", bad);
    auto files = Manager();
    EXPECT_FALSE(files->Exists("data\\bad.txt"));
    EXPECT_EQ(Read(*files, "data\\good.txt"), "good");
    const auto texts = Messages();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Error: Incorrect pack file format!\n"), 1);
    // The folder whose name matches the mask is searched as well.
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        "...Pack file " + root.Path() + "\\Data\\sub.pak\\inner.pak found...\n"),
              texts.end());
}

TEST_F(FileManagerTest, EntriesPastTheEndOfThePackFailBeforeTheyAreAllocated)
{
    PackWriter pack;
    pack.Add("data\\huge.bin", "tiny");
    PackDamage damage;
    damage.recordSizes[0] = 0xFFFFFF00u;
    AddPack("pack0.pak", pack, damage);
    auto files = Manager();
    try
    {
        files->Open("data\\huge.bin", false);
        ADD_FAILURE();
    }
    catch (const FileError& error)
    {
        EXPECT_EQ(error.GetText(),
                  "Failed to read 4294967040 bytes from \"" + root.Path() + "\\Data\\pack0.pak\" file");
    }
}

TEST_F(FileManagerTest, WithoutPacksEverythingGoesToDisk)
{
    auto files = std::make_unique<FileManager>(&log, root.Path(), "NoSuchFolder");
    ASSERT_TRUE(WriteFileBytes(root.Join("x.txt"), "x"));
    EXPECT_EQ(Read(*files, "x.txt"), "x");
    EXPECT_EQ(Messages(), std::vector<std::string>{"Initialization of File Manager...\n"});
    EXPECT_EQ(files->GetRootFolder(), root.Path());
    EXPECT_EQ(FileManager(&log, "", "").GetRootFolder(), GetExecutableFolder());
}

TEST_F(FileManagerTest, FindFilesListsDiskThenPacksWithoutDuplicates)
{
    PackWriter first;
    first.Add("data\\profiles\\a.prf", "x");
    first.Add("data\\profiles\\b.prf", "x");
    PackWriter second;
    second.Add("DATA\\PROFILES\\B.PRF", "x");
    second.Add("data\\profiles\\c.prf.old", "x");
    AddPack("1.pak", first);
    AddPack("2.pak", second);
    ASSERT_TRUE(WriteFileBytes(root.Join("data/profiles/d.prf"), "x"));
    ASSERT_TRUE(WriteFileBytes(root.Join("data/profiles/d.prf.tmp"), "x"));
    auto files = Manager();
    std::vector<std::string> found{"DATA\\PROFILES\\A.PRF", ""};
    files->FindFiles("data\\profiles", "*.prf", found);
    EXPECT_EQ(found, (std::vector<std::string>{"DATA\\PROFILES\\A.PRF", root.Path() + "\\data\\profiles\\d.prf",
                                               "data\\profiles\\b.prf", "data\\profiles\\c.prf.old"}));
}

TEST(PathFunctionsTest, Extensions)
{
    const struct
    {
        std::string path;
        std::string extension;
    } extensions[] = {
        {"x.tga", "tga"}, {"x", ""}, {"x.", ""}, {"a.b\\c", "b\\c"}, {"data\\a.tar.gz", "gz"},
    };
    for (const auto& c : extensions)
        EXPECT_EQ(GetExtension(c.path), c.extension) << c.path;

    const struct
    {
        std::string path;
        std::string extension;
        std::string changed;
    } changes[] = {
        {"x.tga", "", "x"}, {"x", "", "x"}, {"x", "srf", "x.srf"}, {"x.mlf", "srf", "x.srf"}, {"a.b\\c", "d", "a.d"},
    };
    for (const auto& c : changes)
    {
        std::string path = c.path;
        ChangeExtension(path, c.extension);
        EXPECT_EQ(path, c.changed) << c.path << " " << c.extension;
    }
    EXPECT_TRUE(HasExtension("A.JPG", "jpg"));
    EXPECT_TRUE(HasExtension("a.jpg", "JPG"));
    EXPECT_FALSE(HasExtension("a.jpeg", "jpg"));
    EXPECT_TRUE(HasExtension("noext", ""));
}

TEST(PathFunctionsTest, FoldersAndAbsolutePaths)
{
    const std::string program = GetExecutableFolder();
    const struct
    {
        std::string name;
        std::string executable;
        std::string data;
    } cases[] = {
        {"x.ini", program + "\\x.ini", "data\\x.ini"},
        {"/abs/x.ini", "/abs/x.ini", "/abs/x.ini"},
        {"c:x.ini", program + "\\c:x.ini", "data\\c:x.ini"},
        {"", program + "\\", "data\\"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(MakeExecutablePath(c.name), c.executable) << c.name;
        EXPECT_EQ(MakeDataPath(c.name), c.data) << c.name;
    }
    EXPECT_TRUE(IsAbsolutePath("/"));
    EXPECT_FALSE(IsAbsolutePath("\\\\server\\share"));
    EXPECT_EQ(GetDirectoryPart("data\\ui\\x.ini"), "data\\ui");
    EXPECT_EQ(GetDirectoryPart("x.ini"), "");
}

TEST(PathFunctionsTest, AppDataFolderFollowsTheVariablesAndIsCreated)
{
    TempFolder home;
    const struct
    {
        const char* dataHome;
        const char* homeValue;
        std::string expected;
    } cases[] = {
        {"<home>/fresh/data", "<home>", "<home>/fresh/data"},
        {"relative/data", "<home>", "<home>/.local/share"},
        {nullptr, "<home>", "<home>/.local/share"},
        {"", "<home>", "<home>/.local/share"},
        {nullptr, nullptr, ""},
        {"relative", "relative-home", ""},
    };
    auto expand = [&](std::string text) {
        if (const auto at = text.find("<home>"); at != std::string::npos)
            text.replace(at, 6, home.Path());
        return text;
    };
    for (const auto& c : cases)
    {
        const std::string dataHome = c.dataHome ? expand(c.dataHome) : "";
        const std::string homeValue = c.homeValue ? expand(c.homeValue) : "";
        ScopedEnvironment data("XDG_DATA_HOME", c.dataHome ? std::optional(dataHome) : std::nullopt);
        ScopedEnvironment homeVariable("HOME", c.homeValue ? std::optional(homeValue) : std::nullopt);
        const std::string folder = GetAppDataFolder();
        EXPECT_EQ(folder, expand(c.expected)) << (c.dataHome ? c.dataHome : "unset");
        EXPECT_TRUE(folder.empty() || std::filesystem::is_directory(folder));
    }
}

TEST(PathFunctionsTest, CreateDirectoriesMakesEveryLevelBeforeTheLastSeparator)
{
    TempFolder folder;
    FileManager::CreateDirectories(folder.Path() + "/fresh/share\\Brackwell Games\\Corvellan\\Corvellan.ini");
    EXPECT_TRUE(std::filesystem::is_directory(folder.Join("fresh/share/Brackwell Games/Corvellan")));
    EXPECT_FALSE(std::filesystem::exists(folder.Join("fresh/share/Brackwell Games/Corvellan/Corvellan.ini")));
    FileManager::CreateDirectories(folder.Path() + "\\FRESH\\Share\\New\\");
    EXPECT_TRUE(std::filesystem::is_directory(folder.Join("fresh/share/New")));
}

TEST(FindDiskFilesTest, NamesAreShapedLikeTheFolderArgument)
{
    TempFolder folder;
    for (const char* name : {"a.pak", "b.txt", "sub.pak/c.pak", "plain/d.pak"})
        ASSERT_TRUE(WriteFileBytes(folder.Join(name), "x"));
    std::filesystem::create_directory_symlink(folder.Path(), folder.Join("loop.pak"));

    std::vector<std::string> found{"kept"};
    FileManager::FindDiskFiles(folder.Path(), "*.pak", found);
    EXPECT_EQ(found, (std::vector<std::string>{"kept", folder.Path() + "\\a.pak", folder.Path() + "\\sub.pak\\c.pak"}));

    // A relative folder is taken under the program's folder and comes back as given.
    const std::string relative = "find-disk-files-" + std::to_string(::getpid());
    const std::string underProgram = GetExecutableFolder() + "/" + relative;
    ASSERT_TRUE(WriteFileBytes(underProgram + "/a.pak", "x"));
    ASSERT_TRUE(WriteFileBytes(underProgram + "/sub.pak/c.pak", "x"));
    for (const std::string& given : {relative, relative + "\\"})
    {
        std::vector<std::string> names;
        FileManager::FindDiskFiles(given, "*.PAK", names);
        EXPECT_EQ(names, (std::vector<std::string>{relative + "\\a.pak",
                                                   GetExecutableFolder() + "\\" + relative + "\\sub.pak\\c.pak"}))
            << given;
    }
    std::filesystem::remove_all(underProgram);
}

TEST(DeletePathTest, NeverTakesTheSystemOrTheProgramWithIt)
{
    // Recorded instead of deleted, so a broken guard costs nothing here.
    win32::testing::SetDeleteRecording(true);
    const std::string program = GetExecutableFolder();
    for (const std::string& path : {std::string(), std::string("/"), std::string("\\"), std::string("/."),
                                    std::string("/tmp/.."), program, program + "\\", program + "\\.",
                                    program + "\\..", std::string(".."), std::string("."),
                                    std::string("\\\\")})
        FileManager::DeletePath(path);
    EXPECT_EQ(win32::testing::GetRecordedDeletes(), std::vector<std::string>{});

    TempFolder folder;
    ASSERT_TRUE(WriteFileBytes(folder.Join("x.txt"), "x"));
    FileManager::DeletePath(folder.Path() + "\\X.TXT");
    EXPECT_EQ(win32::testing::GetRecordedDeletes(), std::vector<std::string>{folder.Join("x.txt")});
    win32::testing::ResetShell();
    EXPECT_TRUE(std::filesystem::exists(folder.Join("x.txt")));
}

TEST(DeletePathTest, DeletesFilesTreesAndLinksButNotHomeOrTheAppDataFolder)
{
    TempFolder folder;
    const std::string home = folder.Join("home");
    const std::string appData = home + "/a/b/data";
    ScopedEnvironment homeVariable("HOME", home);
    ScopedEnvironment dataVariable("XDG_DATA_HOME", appData);
    ASSERT_TRUE(WriteFileBytes(appData + "/Brackwell Games/Corvellan/Corvellan.ini", "ini"));
    ASSERT_TRUE(WriteFileBytes(home + "/file.txt", "x"));
    ASSERT_TRUE(WriteFileBytes(home + "/tree/sub/deep.txt", "x"));
    ASSERT_TRUE(WriteFileBytes(folder.Join("target/keep.txt"), "keep"));
    std::filesystem::create_directory_symlink(folder.Join("target"), home + "/link");
    std::filesystem::create_directory_symlink(home, folder.Join("alias"));

    for (const std::string& kept : {home, home + "\\a", home + "\\tree\\..", appData, folder.Join("alias") + "\\.",
                                    folder.Path(), appData + "\\..\\b\\.."})
        FileManager::DeletePath(kept);
    EXPECT_TRUE(std::filesystem::exists(appData + "/Brackwell Games/Corvellan/Corvellan.ini"));
    EXPECT_TRUE(std::filesystem::exists(home + "/file.txt"));

    FileManager::DeletePath(home + "\\FILE.TXT");
    FileManager::DeletePath(home + "\\tree");
    FileManager::DeletePath(home + "\\link");
    // A link to the home folder goes, the home folder stays.
    FileManager::DeletePath(folder.Join("alias"));
    FileManager::DeletePath(appData + "\\Brackwell Games\\Corvellan\\Corvellan.ini");
    EXPECT_FALSE(std::filesystem::exists(home + "/file.txt"));
    EXPECT_FALSE(std::filesystem::exists(home + "/tree"));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(home + "/link")));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(folder.Join("alias"))));
    EXPECT_EQ(ReadFileText(folder.Join("target/keep.txt")), "keep");
    EXPECT_FALSE(std::filesystem::exists(appData + "/Brackwell Games/Corvellan/Corvellan.ini"));
    EXPECT_TRUE(std::filesystem::is_directory(appData + "/Brackwell Games/Corvellan"));
}

} // namespace
} // namespace OrvaneEngine
