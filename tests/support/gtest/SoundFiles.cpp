#include "tests/support/gtest/SoundFiles.h"

#include "tests/support/FileBytes.h"

#include <algorithm>

namespace corvellan::test
{

SoundFiles::SoundFiles()
{
    // Only the sound code's own lines matter here.
    log.ClearMessages();
}

SoundFiles::~SoundFiles() = default;

void SoundFiles::WriteData(const std::string& name, const std::string& bytes)
{
    std::string relative = "data/" + name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    ASSERT_TRUE(WriteFileBytes(root.Join(relative), bytes));
}

std::vector<std::string> SoundFiles::LogTexts() const
{
    std::vector<std::string> texts;
    for (std::int32_t i = 0; i < log.GetMessageCount(); ++i)
        texts.push_back(log.GetMessage(static_cast<std::uint32_t>(i)).text);
    return texts;
}

bool SoundFiles::HasError(const std::string& text) const
{
    const std::vector<std::string> texts = LogTexts();
    return std::find(texts.begin(), texts.end(), "\nError: " + text + "!\n\n") != texts.end();
}

std::uint32_t SoundFiles::ErrorCount() const
{
    std::uint32_t count = 0;
    for (std::int32_t i = 0; i < log.GetMessageCount(); ++i)
        count += log.GetMessage(static_cast<std::uint32_t>(i)).level == 2 ? 1 : 0;
    return count;
}

} // namespace corvellan::test
