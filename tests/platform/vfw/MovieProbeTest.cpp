#include "tests/platform/vfw/MovieFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

namespace
{

// ffprobe's "key=value" lines for the first video stream; empty when it
// cannot be run.
std::map<std::string, std::string> Probe(const std::string& path)
{
    const std::string command = "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
                                "stream=codec_name,width,height,r_frame_rate,nb_read_frames "
                                "-of default=noprint_wrappers=1 '" +
                                path + "' 2>&1";
    std::map<std::string, std::string> values;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return values;
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof(buffer), pipe) != nullptr)
        output += buffer;
    if (::pclose(pipe) != 0)
    {
        values["failure"] = output;
        return values;
    }
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line))
    {
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

bool HaveProbe()
{
    return std::system("command -v ffprobe > /dev/null 2>&1") == 0;
}

class MovieProbeTest : public corvellan::test::MovieFixture
{
};

TEST_F(MovieProbeTest, AnIndependentReaderAcceptsTheMovie)
{
    if (!HaveProbe())
    {
        // CI installs it; a developer's machine may not have it.
        if (std::getenv("CI") != nullptr)
            FAIL() << "ffprobe (Debian package ffmpeg) is not installed";
        GTEST_SKIP() << "ffprobe is not installed";
    }
    ASSERT_EQ(Open(), vfw::AVIERR_OK);
    ASSERT_EQ(WriteFrames(7), 7u);
    Close();

    const auto values = Probe(path);
    ASSERT_EQ(values.count("failure"), 0u) << values.at("failure");
    EXPECT_EQ(values.count("codec_name") ? values.at("codec_name") : "", "rawvideo");
    EXPECT_EQ(values.count("r_frame_rate") ? values.at("r_frame_rate") : "", "33/1");
    EXPECT_EQ(values.count("nb_read_frames") ? values.at("nb_read_frames") : "", "7");
    EXPECT_EQ(values.count("width") ? values.at("width") : "", std::to_string(kWidth));
    EXPECT_EQ(values.count("height") ? values.at("height") : "", std::to_string(kHeight));
}

} // namespace
