#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringFunctions.h"
#include "platform/win32/testing/LocalTimeHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

namespace OrvaneEngine
{

// Reads what the manager keeps to itself.
class MessageManagerProbe
{
public:
    static std::string ColorToHtml(const Color& color) { return MessageManager::ColorToHtml(color); }
    static const std::string& Path(const MessageManager& log) { return log.path; }
};

namespace
{

static_assert(!std::is_base_of_v<std::exception, Error>);
static_assert(std::is_base_of_v<Error, FileError> && std::is_base_of_v<Error, FatalError>);
static_assert(std::is_copy_constructible_v<Error> && std::is_copy_assignable_v<Error>);

using corvellan::test::ReadFileText;

const std::string date = "Wed Jan 02 02:03:55 1980";

std::string Head(const std::string& title)
{
    return "<HTML><HEAD><TITLE>" + title + " Log</TITLE></HEAD><BODY bgcolor=\"#000000\">"
           "<FONT color=\"#FFFFFF\"><FONT color=\"#FFFFFF\">======== </FONT>"
           "<FONT color=\"#00FF00\">" + title + " Log: " + date + "</FONT>"
           "<FONT color=\"#FFFFFF\"> ========<BR><BR></FONT>";
}

std::string Footer(const std::string& title)
{
    return "<FONT color=\"#FFFFFF\"><BR>======== </FONT>"
           "<FONT color=\"#00FF00\">" + title + " Log end: " + date + "</FONT>"
           "<FONT color=\"#FFFFFF\"> ========<BR></FONT></FONT></BODY></HTML>";
}

// A name no other test process uses, for logs that land in the program's folder.
std::string UniqueName(const std::string& stem)
{
    return stem + "-" + std::to_string(::getpid());
}

class MessageManagerTest : public ::testing::Test
{
protected:
    void SetUp() override { win32::testing::SetFixedLocalTime(1980, 1, 2, 2, 3, 55); }
    void TearDown() override { win32::testing::ResetLocalTime(); }

    // The entries between the head and the footer of a finished page; fails
    // the test when the page is not framed by them.
    static std::string Body(const std::string& pagePath, const std::string& title)
    {
        const auto page = ReadFileText(pagePath);
        if (!page)
        {
            ADD_FAILURE() << "no page at " << pagePath;
            return {};
        }
        const std::string head = Head(title);
        const std::string footer = Footer(title);
        if (page->size() < head.size() + footer.size() || page->compare(0, head.size(), head) != 0 ||
            page->compare(page->size() - footer.size(), footer.size(), footer) != 0)
        {
            ADD_FAILURE() << "not a whole page: " << *page;
            return {};
        }
        return page->substr(head.size(), page->size() - head.size() - footer.size());
    }

    corvellan::test::TempFolder folder;
};

TEST_F(MessageManagerTest, PageIsByteExactWithEitherWayOfWriting)
{
    for (const bool reopen : {false, true})
    {
        const std::string name = reopen ? "reopened" : "kept";
        {
            MessageManager log("T", true, reopen, folder.Path(), name);
            log.Message("a\nb");
            log.Warning("x");
            log.Error("e");
            log.SetBlankLines(false).Warning("w");
            log.Error("f");
            log.Message("m");
            EXPECT_THROW(log.Fatal("y"), FatalError);
            log.Write(9, "z");
        }
        const auto page = ReadFileText(folder.Join(name + ".html"));
        ASSERT_TRUE(page.has_value()) << name;
        EXPECT_EQ(*page, Head("T") +
                             "a<BR>b<BR>"
                             "<FONT color=\"#7F7F7F\"><BR>Warning: x!<BR><BR></FONT>"
                             "<FONT color=\"#FF0000\"><BR>Error: e!<BR><BR></FONT>"
                             "<FONT color=\"#7F7F7F\">Warning: w!<BR></FONT>"
                             "<FONT color=\"#FF0000\">Error: f!<BR></FONT>"
                             "m"
                             "<FONT color=\"#FF0000\">PROGRAM ABORTING: y<BR></FONT>"
                             "z" +
                             Footer("T"))
            << name;
        EXPECT_EQ(page->find('\n'), std::string::npos) << name;
    }
}

TEST_F(MessageManagerTest, EachEntryIsWrittenAndListedByLevelAndFraming)
{
    using Call = std::function<void(MessageManager&)>;
    const struct
    {
        const char* what;
        bool blankLines;
        Call call;
        std::uint32_t level;
        std::string listed;
        std::string written;
    } cases[] = {
        {"message", true, [](MessageManager& log) { log.Message("t"); }, 0, "t\n", "t<BR>"},
        {"message", false, [](MessageManager& log) { log.Message("t"); }, 0, "t", "t"},
        {"two-line message", true, [](MessageManager& log) { log.Message("a\nb"); }, 0, "a\nb\n", "a<BR>b<BR>"},
        {"warning", true, [](MessageManager& log) { log.Warning("t"); }, 1, "\nWarning: t!\n\n",
         "<FONT color=\"#7F7F7F\"><BR>Warning: t!<BR><BR></FONT>"},
        {"warning", false, [](MessageManager& log) { log.Warning("t"); }, 1, "Warning: t!\n",
         "<FONT color=\"#7F7F7F\">Warning: t!<BR></FONT>"},
        {"error", true, [](MessageManager& log) { log.Error("t"); }, 2, "\nError: t!\n\n",
         "<FONT color=\"#FF0000\"><BR>Error: t!<BR><BR></FONT>"},
        {"error", false, [](MessageManager& log) { log.Error("t"); }, 2, "Error: t!\n",
         "<FONT color=\"#FF0000\">Error: t!<BR></FONT>"},
        {"fatal", true, [](MessageManager& log) { EXPECT_THROW(log.Fatal("t"), FatalError); }, 3,
         "PROGRAM ABORTING: t\n", "<FONT color=\"#FF0000\">PROGRAM ABORTING: t<BR></FONT>"},
        {"fatal", false, [](MessageManager& log) { EXPECT_THROW(log.Fatal("t"), FatalError); }, 3,
         "PROGRAM ABORTING: t\n", "<FONT color=\"#FF0000\">PROGRAM ABORTING: t<BR></FONT>"},
        {"unknown level", true, [](MessageManager& log) { log.Write(4, "t\n"); }, 4, "t\n", "t<BR>"},
        {"empty message", true, [](MessageManager& log) { log.Message(""); }, 0, "\n", "<BR>"},
    };
    int index = 0;
    for (const auto& c : cases)
    {
        const std::string name = "entry" + std::to_string(index++);
        const std::string context = std::string(c.what) + (c.blankLines ? " with" : " without") + " blank lines";
        {
            MessageManager log("T", true, false, folder.Path(), name);
            log.SetBlankLines(c.blankLines);
            c.call(log);
            ASSERT_EQ(log.GetMessageCount(), 1) << context;
            const LogMessage entry = log.GetMessage(0);
            EXPECT_EQ(entry.level, c.level) << context;
            EXPECT_EQ(entry.text, c.listed) << context;
        }
        EXPECT_EQ(Body(folder.Join(name + ".html"), "T"), c.written) << context;
    }
}

TEST_F(MessageManagerTest, ColorsAreChannelsTimes255TruncatedInUpperCaseHex)
{
    const struct
    {
        Color color;
        const char* html;
    } cases[] = {
        {Color(1.0f, 1.0f, 1.0f, 1.0f), "#FFFFFF"}, {Color(0.5f, 0.5f, 0.5f, 1.0f), "#7F7F7F"},
        {Color(1.0f, 0.0f, 0.0f, 1.0f), "#FF0000"}, {Color(0.0f, 1.0f, 0.0f, 0.0f), "#00FF00"},
        {Color(0.0f, 0.0f, 0.0f, 1.0f), "#000000"}, {Color(0.2f, 0.4f, 0.6f, 0.5f), "#336699"},
        // Out of range: clamped, still two digits a channel.
        {Color(1.5f, -0.5f, 0.5f, 1.0f), "#FF007F"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageManagerProbe::ColorToHtml(c.color), c.html) << c.html;
}

TEST_F(MessageManagerTest, PathFollowsTheFolderRules)
{
    const std::string program = GetExecutableFolder();
    const std::string relative = UniqueName("logs");
    const std::string name = UniqueName("pathrule");
    const struct
    {
        std::string folder;
        std::string name;
        std::string path;
        std::string file;
    } cases[] = {
        {"", name, program + "\\" + name + ".html", program + "/" + name + ".html"},
        {"", "", program + "\\" + name + "-title.html", program + "/" + name + "-title.html"},
        {folder.Path(), name, folder.Path() + "\\" + name + ".html", folder.Join(name + ".html")},
        {relative, name, program + "\\" + relative + "\\" + name + ".html",
         program + "/" + relative + "/" + name + ".html"},
    };
    for (const auto& c : cases)
    {
        {
            MessageManager log(name + "-title", true, false, c.folder, c.name);
            EXPECT_EQ(MessageManagerProbe::Path(log), c.path);
        }
        EXPECT_EQ(Body(c.file, name + "-title"), "") << c.file;
        std::filesystem::remove(c.file);
    }
    std::filesystem::remove_all(program + "/" + relative);
}

TEST_F(MessageManagerTest, MissingFoldersOfTheLogPathAreMade)
{
    const std::string logFolder = folder.Join("user/Game");
    ASSERT_FALSE(std::filesystem::exists(folder.Join("user")));
    {
        MessageManager log("T", true, false, logFolder, "");
        log.Message("kept");
    }
    EXPECT_EQ(Body(logFolder + "/T.html", "T"), "kept<BR>");
}

TEST_F(MessageManagerTest, AnUnwritablePathOrADisabledLogStillFillsTheList)
{
    // A plain file where a folder should be: not writable even for root.
    ASSERT_TRUE(corvellan::test::WriteFileBytes(folder.Join("blocker"), "x"));
    const std::string name = UniqueName("disabled");
    const struct
    {
        const char* what;
        bool enabled;
        bool reopen;
        std::string folder;
    } cases[] = {
        {"unwritable", true, false, folder.Join("blocker/logs")},
        {"unwritable, reopened", true, true, folder.Join("blocker/logs")},
        {"disabled", false, false, folder.Path()},
        {"disabled, reopened", false, true, ""},
    };
    for (const auto& c : cases)
    {
        {
            MessageManager log("T", c.enabled, c.reopen, c.folder, name);
            EXPECT_NO_THROW(log.Message("m"));
            EXPECT_NO_THROW(log.Warning("w"));
            EXPECT_NO_THROW(log.Error("e"));
            EXPECT_THROW(log.Fatal("f"), FatalError);
            ASSERT_EQ(log.GetMessageCount(), 4) << c.what;
            EXPECT_EQ(log.GetMessage(0).text, "m\n") << c.what;
            EXPECT_EQ(log.GetMessage(3).level, 3u) << c.what;
            log.ClearMessages();
            EXPECT_EQ(log.GetMessageCount(), 0) << c.what;
        }
        EXPECT_FALSE(std::filesystem::exists(folder.Join(name + ".html"))) << c.what;
        EXPECT_FALSE(std::filesystem::exists(GetExecutableFolder() + "/" + name + ".html")) << c.what;
    }
    EXPECT_EQ(ReadFileText(folder.Join("blocker")), "x");
}

TEST_F(MessageManagerTest, ReopenedLogIsOnDiskAfterEveryEntry)
{
    const std::string pagePath = folder.Join("T.html");
    MessageManager log("T", true, true, folder.Path(), "");
    EXPECT_EQ(ReadFileText(pagePath), Head("T"));
    log.Message("one");
    EXPECT_EQ(ReadFileText(pagePath), Head("T") + "one<BR>");
    log.Warning("two");
    EXPECT_EQ(ReadFileText(pagePath), Head("T") + "one<BR><FONT color=\"#7F7F7F\"><BR>Warning: two!<BR><BR></FONT>");
}

TEST_F(MessageManagerTest, FatalThrowsItsOwnTextAndIsCaughtAsError)
{
    MessageManager log("T", true, false, folder.Path(), "");
    try
    {
        log.Fatal("Failed to start");
        FAIL() << "Fatal returned";
    }
    catch (const Error& error)
    {
        EXPECT_NE(dynamic_cast<const FatalError*>(&error), nullptr);
        EXPECT_EQ(error.GetText(), "Failed to start");
    }
    ASSERT_EQ(log.GetMessageCount(), 1);
    EXPECT_EQ(log.GetMessage(0).text, "PROGRAM ABORTING: Failed to start\n");
}

// The loader thread and the main thread log at the same time while the
// console reads the list.
TEST_F(MessageManagerTest, TwoThreadsLogWithoutLosingOrMixingEntries)
{
    constexpr int perThread = 10000;
    const std::string pagePath = folder.Join("T.html");
    {
        MessageManager log("T", true, false, folder.Path(), "");
        auto writer = [&log](char thread)
        {
            for (int i = 0; i < perThread; ++i)
                log.Message(std::string(1, thread) + std::to_string(i));
        };
        std::atomic<bool> done{false};
        std::thread reader(
            [&]
            {
                while (!done)
                {
                    const std::int32_t count = log.GetMessageCount();
                    if (count > 0)
                    {
                        EXPECT_EQ(log.GetMessage(static_cast<std::uint32_t>(count - 1)).text.back(), '\n');
                    }
                }
            });
        std::thread first(writer, 'A');
        std::thread second(writer, 'B');
        first.join();
        second.join();
        done = true;
        reader.join();

        ASSERT_EQ(log.GetMessageCount(), 2 * perThread);
        int next[2] = {0, 0};
        for (std::uint32_t index = 0; index < 2 * perThread; ++index)
        {
            const LogMessage entry = log.GetMessage(index);
            ASSERT_GE(entry.text.size(), 2u);
            const int thread = entry.text[0] - 'A';
            ASSERT_TRUE(thread == 0 || thread == 1) << entry.text;
            EXPECT_EQ(entry.text, std::string(1, entry.text[0]) + std::to_string(next[thread]++) + "\n");
        }
    }

    const std::string body = Body(pagePath, "T");
    int next[2] = {0, 0};
    std::size_t start = 0;
    while (start < body.size())
    {
        const std::size_t end = body.find("<BR>", start);
        ASSERT_NE(end, std::string::npos) << body.substr(start, 40);
        const std::string entry = body.substr(start, end - start);
        ASSERT_FALSE(entry.empty());
        const int thread = entry[0] - 'A';
        ASSERT_TRUE(thread == 0 || thread == 1) << entry;
        ASSERT_EQ(entry.substr(1), std::to_string(next[thread]++));
        start = end + 4;
    }
    EXPECT_EQ(next[0], perThread);
    EXPECT_EQ(next[1], perThread);
}

} // namespace
} // namespace OrvaneEngine
