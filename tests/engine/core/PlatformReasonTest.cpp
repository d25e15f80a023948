#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "platform/win32/LastError.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

using namespace OrvaneEngine;

namespace
{

// Runs whose platform library refuses a driver: what the library said
// reaches the log as an error line of its own, just before the failure the
// engine reports, and a fatal error carries it to the fatal box.
class PlatformReasonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        win32::TakeLastErrorText();
        settings.title = "Test";
        settings.version = 103;
        settings.logFolder = folder.Path();
        settings.configFolder = folder.Path();
        settings.rootFolder = folder.Path();
        settings.videoMode = "640x480x32";
        settings.fullscreen = false;
    }
    void TearDown() override
    {
        if (previous)
            setenv(variable, previous->c_str(), 1);
        else if (variable)
            unsetenv(variable);
    }

    void RefuseDriver(const char* name)
    {
        variable = name;
        if (const char* old = std::getenv(name))
            previous = old;
        setenv(name, "nosuch", 1);
    }

    // The log's text without its markup, one line per line break.
    std::string LogText() const
    {
        const std::string page = corvellan::test::ReadFileText(folder.Join("Test.html")).value_or("");
        std::string text;
        std::size_t at = 0;
        while (at < page.size())
        {
            if (page[at] != '<')
            {
                text += page[at++];
                continue;
            }
            const std::size_t close = page.find('>', at);
            if (close == std::string::npos)
                break;
            if (page.compare(at, close - at + 1, "<BR>") == 0)
                text += '\n';
            at = close + 1;
        }
        return text;
    }

    // The line of text that comes right after the one holding `line`.
    static std::string NextLine(const std::string& text, const std::string& line)
    {
        const std::size_t at = text.find(line);
        if (at == std::string::npos)
            return "(missing: " + line + ")";
        std::size_t start = text.find('\n', at);
        while (start != std::string::npos && start + 1 < text.size() && text[start + 1] == '\n')
            ++start;
        if (start == std::string::npos)
            return "";
        const std::size_t end = text.find('\n', start + 1);
        return text.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
    }

    const char* variable = nullptr;
    std::optional<std::string> previous;
    corvellan::test::TempFolder folder;
    EngineSettings settings;
};

TEST_F(PlatformReasonTest, NoVideoDeviceSaysWhyBeforeTheFatalText)
{
    RefuseDriver("SDL_VIDEODRIVER");
    std::string reason;
    try
    {
        Engine engine(settings);
        ADD_FAILURE() << "the engine started without video";
    }
    catch (const FatalError& error)
    {
        EXPECT_EQ(error.GetText(), "Failed to register the window class");
        reason = error.GetReason();
    }
    EXPECT_NE(reason.find("nosuch"), std::string::npos) << reason;
    const std::string text = LogText();
    EXPECT_EQ(NextLine(text, "...Registering the window class..."), "Error: " + reason + "!");
    EXPECT_EQ(NextLine(text, "Error: " + reason + "!"), "PROGRAM ABORTING: Failed to register the window class");
}

TEST_F(PlatformReasonTest, NoAudioDeviceSaysWhyAndRunsSilent)
{
    RefuseDriver("SDL_AUDIODRIVER");
    {
        Engine engine(settings);
        EXPECT_EQ(engine.soundSystem, nullptr);
    }
    const std::string text = LogText();
    const std::string reasonLine = NextLine(text, "...Creating a device...");
    EXPECT_NE(reasonLine.find("nosuch"), std::string::npos) << reasonLine;
    EXPECT_EQ(reasonLine.rfind("Error: ", 0), 0u) << reasonLine;
    EXPECT_EQ(NextLine(text, reasonLine), "Error: Failed to create a device!");
}

} // namespace
