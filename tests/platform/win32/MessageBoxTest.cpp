#include "platform/win32/MessageBox.h"

#include "platform/win32/testing/MessageBoxHooks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using win32::testing::MessageBoxCall;

TEST(MessageBoxTest, EveryBoxGoesToStderrAndIsRecordedInsteadOfShown)
{
    win32::testing::ResetMessageBoxes();
    struct Case
    {
        const char* text;
        const char* caption;
        std::uint32_t type;
        std::string line;
    };
    const Case cases[] = {
        {"Failed to open \"data\\ui\\fonts\\en.ini\"", "Fatal Error", win32::MB_ICONERROR,
         "Fatal Error: Failed to open \"data\\ui\\fonts\\en.ini\"\n"},
        {"Unhandled exception!", "Fatal Error", win32::MB_ICONERROR, "Fatal Error: Unhandled exception!\n"},
        {"", "", win32::MB_OK, ": \n"},
        {nullptr, nullptr, win32::MB_OK, ": \n"},
    };
    std::vector<MessageBoxCall> expected;
    for (const Case& c : cases)
    {
        ::testing::internal::CaptureStderr();
        const int answer = win32::MessageBoxA(0, c.text, c.caption, c.type);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.line);
        EXPECT_EQ(answer, win32::IDOK);
        expected.push_back({c.text ? c.text : "", c.caption ? c.caption : "", c.type});
    }
    EXPECT_EQ(win32::testing::GetMessageBoxCalls(), expected);
    win32::testing::ResetMessageBoxes();
    EXPECT_TRUE(win32::testing::GetMessageBoxCalls().empty());
}

} // namespace
