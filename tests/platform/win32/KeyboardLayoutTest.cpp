#include "platform/win32/KeyboardLayout.h"

#include "platform/win32/testing/KeyboardLayoutHooks.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

using win32::testing::KeyboardLayoutCall;
using Kind = win32::testing::KeyboardLayoutCall::Kind;

class KeyboardLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override { win32::testing::ResetKeyboardLayouts(); }
    void TearDown() override { win32::testing::ResetKeyboardLayouts(); }
};

TEST_F(KeyboardLayoutTest, TheDesktopLayoutStaysAndEveryChangeIsRecorded)
{
    const win32::HKL current = win32::GetKeyboardLayout(0);
    EXPECT_EQ(current >> 16, 0x409u);
    EXPECT_EQ(current, 0x04090409u);

    // Activation and loading fail; unloading has nothing to do.
    EXPECT_EQ(win32::ActivateKeyboardLayout(0x419, 0), 0u);
    EXPECT_EQ(win32::LoadKeyboardLayoutA("00000419", win32::KLF_ACTIVATE), 0u);
    EXPECT_TRUE(win32::UnloadKeyboardLayout(0x04190419));
    EXPECT_EQ(win32::GetKeyboardLayout(0), current);

    const std::vector<KeyboardLayoutCall> expected{
        {Kind::Activate, 0x419, "", 0},
        {Kind::Load, 0, "00000419", win32::KLF_ACTIVATE},
        {Kind::Unload, 0x04190419, "", 0},
    };
    EXPECT_EQ(win32::testing::GetKeyboardLayoutCalls(), expected);
}

TEST_F(KeyboardLayoutTest, HooksSetTheLayoutAndLetActivationAndLoadingSucceed)
{
    // A successful activation answers the layout that was current, the
    // stand-in's own one when no hook set another.
    win32::testing::SetActivateKeyboardLayoutSucceeds(true);
    EXPECT_EQ(win32::ActivateKeyboardLayout(0x419, 0), 0x04090409u);

    win32::testing::SetCurrentKeyboardLayout(0x04070407);
    EXPECT_EQ(win32::GetKeyboardLayout(0), 0x04070407u);
    EXPECT_EQ(win32::ActivateKeyboardLayout(0x40c, 0), 0x04070407u);
    EXPECT_EQ(win32::LoadKeyboardLayoutA("0000040C", win32::KLF_ACTIVATE), 0u);

    win32::testing::SetLoadedKeyboardLayout(0x040C040C);
    EXPECT_EQ(win32::LoadKeyboardLayoutA("0000040C", win32::KLF_ACTIVATE), 0x040C040Cu);
    // Neither changes the layout the desktop reports.
    EXPECT_EQ(win32::GetKeyboardLayout(0), 0x04070407u);
    EXPECT_EQ(win32::testing::GetKeyboardLayoutCalls().size(), 4u);

    win32::testing::ResetKeyboardLayouts();
    EXPECT_TRUE(win32::testing::GetKeyboardLayoutCalls().empty());
    EXPECT_EQ(win32::GetKeyboardLayout(0), 0x04090409u);
    EXPECT_EQ(win32::ActivateKeyboardLayout(0x419, 0), 0u);
    EXPECT_EQ(win32::LoadKeyboardLayoutA("00000419", win32::KLF_ACTIVATE), 0u);
}

} // namespace
