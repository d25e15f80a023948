#include "platform/win32/Shell.h"
#include "platform/win32/WindowTypes.h"
#include "platform/win32/testing/ShellHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;
namespace wt = win32::testing;
using corvellan::test::ScopedEnvironment;
using corvellan::test::TempFolder;

bool Started(win32::HINSTANCE answer)
{
    return reinterpret_cast<std::intptr_t>(answer) > 32;
}

// No child of this process is left, running or waiting to be reaped.
bool NoChildLeft()
{
    int status = 0;
    return waitpid(-1, &status, WNOHANG) == -1 && errno == ECHILD;
}

class ShellExecuteTest : public ::testing::Test
{
protected:
    void TearDown() override { wt::ResetShell(); }

    // An opener on PATH that tells, through a named pipe, the address it was
    // given, where its standard streams lead and its session.
    void InstallReportingOpener()
    {
        ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
        const std::string script = "#!/bin/sh\n"
                                   "PATH=/usr/bin:/bin\n"
                                   "exec 3>'" + fifo + "'\n"
                                   "printf '%s\\n' \"$1\" \"$(readlink /proc/$$/fd/0)\" \"$(readlink /proc/$$/fd/1)\" "
                                   "\"$(readlink /proc/$$/fd/2)\" \"$(cut -d' ' -f6 /proc/$$/stat)\" >&3\n";
        ASSERT_TRUE(corvellan::test::WriteFileBytes(bin.Join("xdg-open"), script));
        fs::permissions(bin.Join("xdg-open"), fs::perms::owner_all);
    }

    // Blocks until the opener has written its report.
    std::vector<std::string> ReadReport()
    {
        std::vector<std::string> lines;
        const int fd = open(fifo.c_str(), O_RDONLY);
        if (fd < 0)
            return lines;
        std::string text;
        char buffer[256];
        for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<std::size_t>(got));
        close(fd);
        std::istringstream stream(text);
        for (std::string line; std::getline(stream, line);)
            lines.push_back(line);
        return lines;
    }

    TempFolder bin;
    TempFolder work;
    const std::string fifo = work.Join("report");
};

TEST_F(ShellExecuteTest, RecordsEveryCallInOrderAndStartsOnlyAnOpenWithAnAddress)
{
    struct Case
    {
        const char* verb;
        const char* file;
        bool started;
    };
    const Case cases[] = {
        {"open", "https://example.invalid/stats", true},
        {"open", "", false},
        {"open", nullptr, false},
        {"print", "https://example.invalid/stats", false},
        {nullptr, "https://example.invalid/stats", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Started(win32::ShellExecuteA(0, c.verb, c.file, nullptr, nullptr, win32::SW_SHOW)), c.started)
            << (c.verb ? c.verb : "(null)") << " " << (c.file ? c.file : "(null)");

    const std::vector<wt::ShellExecuteCall> calls = wt::GetShellExecuteCalls();
    ASSERT_EQ(calls.size(), std::size(cases));
    for (std::size_t i = 0; i < calls.size(); ++i)
    {
        EXPECT_EQ(calls[i].verb, cases[i].verb ? cases[i].verb : "");
        EXPECT_EQ(calls[i].file, cases[i].file ? cases[i].file : "");
        EXPECT_EQ(calls[i].show, win32::SW_SHOW);
    }
    EXPECT_TRUE(NoChildLeft());
}

TEST_F(ShellExecuteTest, TheOpenerRunsDetachedWithTheAddressAndLeavesNoChild)
{
    InstallReportingOpener();
    const ScopedEnvironment path("PATH", bin.Path());
    wt::SetShellExecuteRecording(false);

    const std::string address = "https://example.invalid/a b?c=1";
    EXPECT_TRUE(Started(win32::ShellExecuteA(0, "open", address.c_str(), nullptr, nullptr, win32::SW_SHOW)));
    // The call has returned: the child between us and the opener is reaped.
    EXPECT_TRUE(NoChildLeft());

    const std::vector<std::string> report = ReadReport();
    ASSERT_EQ(report.size(), 5u);
    EXPECT_EQ(report[0], address);
    EXPECT_EQ(report[1], "/dev/null");
    EXPECT_EQ(report[2], "/dev/null");
    EXPECT_EQ(report[3], "/dev/null");
    ASSERT_FALSE(report[4].empty());
    EXPECT_NE(report[4], std::to_string(getsid(0)));
    EXPECT_TRUE(wt::GetShellExecuteCalls().empty());
}

TEST_F(ShellExecuteTest, NothingToRunOrNothingToOpenStartsNothing)
{
    InstallReportingOpener();
    wt::SetShellExecuteRecording(false);
    {
        // The opener is not installed anywhere on this PATH.
        const ScopedEnvironment path("PATH", work.Path());
        EXPECT_FALSE(Started(win32::ShellExecuteA(0, "open", "https://example.invalid", nullptr, nullptr, 5)));
        EXPECT_TRUE(NoChildLeft());
    }
    const ScopedEnvironment path("PATH", bin.Path());
    EXPECT_FALSE(Started(win32::ShellExecuteA(0, "open", "", nullptr, nullptr, win32::SW_SHOW)));
    EXPECT_FALSE(Started(win32::ShellExecuteA(0, "edit", "https://example.invalid", nullptr, nullptr, 5)));
    EXPECT_TRUE(NoChildLeft());
}

} // namespace
