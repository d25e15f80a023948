// The shipped program itself, copied alone into an empty folder: with no data
// set beside it, it tells what is missing and exits with 1.
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace
{

namespace fs = std::filesystem;
using corvellan::test::TempFolder;

// The environment of this process with the given variables replaced.
std::vector<std::string> Environment(const std::vector<std::pair<std::string, std::string>>& replaced)
{
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry)
    {
        const std::string text = *entry;
        bool kept = true;
        for (const auto& [name, value] : replaced)
            kept = kept && text.rfind(name + "=", 0) != 0;
        if (kept)
            result.push_back(text);
    }
    for (const auto& [name, value] : replaced)
        result.push_back(name + "=" + value);
    return result;
}

TEST(ShippedProgramTest, WithoutItsDataItNamesTheMissingFileAndExitsWithOne)
{
    TempFolder bin("corvellan-bin");
    TempFolder home("corvellan-home");
    TempFolder data("corvellan-data");
    TempFolder config("corvellan-config");
    const std::string program = bin.Join("corvellan");
    fs::copy_file(CORVELLAN_PROGRAM, program);
    fs::permissions(program, fs::perms::owner_all);

    std::vector<std::string> environment =
        Environment({{"HOME", home.Path()}, {"XDG_DATA_HOME", data.Path()}, {"XDG_CONFIG_HOME", config.Path()}});
    std::vector<char*> environmentPointers;
    for (std::string& entry : environment)
        environmentPointers.push_back(entry.data());
    environmentPointers.push_back(nullptr);

    const std::string errors = home.Join("stderr.txt");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::string name = program;
    char* arguments[] = {name.data(), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, arguments, environmentPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    ASSERT_EQ(spawned, 0) << std::strerror(spawned);

    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR)
    {
    }
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 1);

    const std::string text = corvellan::test::ReadFileText(errors).value_or("");
    EXPECT_NE(text.find("Fatal Error"), std::string::npos) << text;
    EXPECT_NE(text.find("data\\ui\\fonts\\en.ini"), std::string::npos) << text;
    EXPECT_EQ(text.find("Unhandled exception!"), std::string::npos) << text;
}

} // namespace
