#include "tests/engine/sound/SoundTestSupport.h"

#include "content/WavWriter.h"

#include <cstdlib>
#include <vector>

namespace corvellan::test
{

EnvironmentOverride::EnvironmentOverride(std::string variable, const std::string& value) : name(std::move(variable))
{
    if (const char* old = std::getenv(name.c_str()))
        previous = old;
    setenv(name.c_str(), value.c_str(), 1);
}

EnvironmentOverride::~EnvironmentOverride()
{
    if (previous)
        setenv(name.c_str(), previous->c_str(), 1);
    else
        unsetenv(name.c_str());
}

std::string CountingStereo16(std::uint32_t frames)
{
    std::vector<std::int16_t> samples(static_cast<std::size_t>(frames) * 2);
    for (std::uint32_t frame = 0; frame < frames; ++frame)
    {
        samples[2 * frame] = static_cast<std::int16_t>(frame & 0x7FFF);
        samples[2 * frame + 1] = static_cast<std::int16_t>(frame >> 15);
    }
    return content::WavWriter::Simple({1, 2, 22050, 16}, content::Samples16(samples));
}

} // namespace corvellan::test
