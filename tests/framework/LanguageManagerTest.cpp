#include "framework/LanguageManager.h"

#include "content/FontsListWriter.h"
#include "content/PackWriter.h"
#include "engine/core/FileManager.h"
#include "engine/core/StringFunctions.h"
#include "platform/win32/Locale.h"
#include "platform/win32/testing/KeyboardLayoutHooks.h"
#include "platform/win32/testing/LocaleHooks.h"
#include "platform/win32/testing/RegistryHooks.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace
{

using corvellan::content::FontsListWriter;
using corvellan::test::ScopedEnvironment;
using corvellan::test::TempFolder;
using corvellan::test::WriteFileBytes;
using GameFramework::LanguageManager;
using win32::testing::KeyboardLayoutCall;
using Kind = win32::testing::KeyboardLayoutCall::Kind;

constexpr const char* kKey = "SOFTWARE\\Brackwell Games\\Corvellan";

class LanguageManagerTest : public ::testing::Test
{
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

    static void Reset()
    {
        win32::testing::ResetRegistry();
        win32::testing::ResetKeyboardLayouts();
        win32::testing::ResetLocale();
    }

    // A data folder holding the fonts lists of these codes, and the user's
    // registry "Language" value (none when not given).
    struct Setup
    {
        TempFolder data{"corvellan-language-data"};
        TempFolder machine{"corvellan-language-machine"};
        TempFolder user{"corvellan-language-user"};
        ScopedEnvironment config{"XDG_CONFIG_HOME", user.Path()};
        std::unique_ptr<OrvaneEngine::FileManager> files;

        Setup(const std::vector<std::string>& fontsLists, const std::optional<std::string>& language)
        {
            win32::testing::SetRegistryMachineRoot(machine.Path());
            for (const std::string& code : fontsLists)
                EXPECT_TRUE(FontsListWriter::WriteTo(data.Join("data/ui/fonts/" + code + ".ini"), 0, {}));
            if (language)
            {
                EXPECT_TRUE(
                    WriteFileBytes(user.Join("Brackwell Games/Corvellan/registry.ini"), "Language=" + *language + "\n"));
            }
            files = std::make_unique<OrvaneEngine::FileManager>(nullptr, data.Path(), "");
        }
    };
};

TEST_F(LanguageManagerTest, TheTableHoldsTheSevenLanguages)
{
    Setup setup({}, std::nullopt);
    const LanguageManager languages(setup.files.get(), kKey);
    const struct
    {
        const char* code;
        std::uint32_t layoutId;
        const char* localeName;
    } rows[] = {
        {"en", 0x409, "english"}, {"ru", 0x419, "russian"}, {"ge", 0x407, "german"}, {"fr", 0x40c, "french"},
        {"it", 0x410, "italian"}, {"sp", 0x40a, "spanish"}, {"cz", 0x405, "czech"},
    };
    for (const auto& row : rows)
    {
        const LanguageManager::Language* found = languages.FindByCode(row.code);
        ASSERT_NE(found, nullptr) << row.code;
        EXPECT_EQ(found->code, row.code);
        EXPECT_EQ(found->layoutId, row.layoutId) << row.code;
        EXPECT_EQ(found->localeName, row.localeName) << row.code;
    }
    EXPECT_EQ(languages.FindByCode("RU"), languages.FindByCode("ru"));
    EXPECT_EQ(languages.FindByCode("Sp"), languages.FindByCode("sp"));
    for (const char* code : {"es", "", "e", "english", "ru "})
        EXPECT_EQ(languages.FindByCode(code), nullptr) << code;

    EXPECT_EQ(LanguageManager::GetLayoutId(0x04190419), 0x419u);
    EXPECT_EQ(LanguageManager::GetLayoutId(0xF0020409), 0xF002u);
    EXPECT_EQ(LanguageManager::MakeLayoutHandle(0x419), 0x419u);
}

TEST_F(LanguageManagerTest, TheRegistryChoosesAmongTheLanguagesWithAFontsList)
{
    struct Case
    {
        std::optional<std::string> registry; // "Language", or a REG_DWORD when "dword"
        std::vector<std::string> fontsLists;
        const char* code;
    };
    const Case cases[] = {
        {"ru", {"ru"}, "ru"},
        {"ru", {"ge", "fr"}, "ge"},
        {std::nullopt, {}, "en"},
        {"ru", {}, "en"},
        {"EN", {"en"}, "en"},
        {"dword", {"fr"}, "fr"},
        {"xx", {"xx"}, "en"},
        {"xx", {"xx", "cz"}, "en"},
        // Without a wish the table's order decides.
        {std::nullopt, {"cz", "sp", "it"}, "it"},
        {std::nullopt, {"cz", "ru", "en"}, "en"},
        {"", {"sp", "cz"}, "sp"},
        {"cz", {"en", "ru", "cz"}, "cz"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.registry.value_or("(none)") + " with " + std::to_string(c.fontsLists.size()) + " lists");
        Reset();
        const bool dword = c.registry == "dword";
        Setup setup(c.fontsLists, dword ? std::nullopt : c.registry);
        if (dword)
            win32::testing::InjectRegistryValue(win32::HKEY_CURRENT_USER, kKey, "Language", win32::REG_DWORD,
                                                std::string("\x19\x04\x00\x00", 4));
        const LanguageManager languages(setup.files.get(), kKey);
        ASSERT_NE(languages.GetLanguage(), nullptr);
        EXPECT_EQ(languages.GetLanguage(), languages.FindByCode(c.code)) << languages.GetLanguage()->code;
    }
}

TEST_F(LanguageManagerTest, FontsListsAreFoundInPacksAndTheMachineValueWins)
{
    Setup setup({"fr"}, "fr");
    // The machine asks for Russian, whose fonts list is only in a pack.
    ASSERT_TRUE(WriteFileBytes(setup.machine.Join("Brackwell Games/Corvellan/registry.ini"), "Language=ru\n"));
    corvellan::content::PackWriter pack;
    pack.Add("data/ui/fonts/ru.ini", FontsListWriter::Build(0, {}));
    ASSERT_TRUE(pack.WriteTo(setup.data.Join("pack0.pak")));
    OrvaneEngine::FileManager files(nullptr, setup.data.Path(), "");

    const LanguageManager languages(&files, kKey);
    EXPECT_EQ(languages.GetLanguage()->code, "ru");
    EXPECT_EQ(languages.GetLanguage()->layoutId, 0x419u);
}

TEST_F(LanguageManagerTest, TheLayoutIsActivatedOrLoadedAndTheLoadedOneUnloaded)
{
    constexpr std::uint32_t flags = win32::KLF_ACTIVATE;
    struct Case
    {
        const char* name;
        win32::HKL current;
        const char* language;
        bool activateSucceeds;
        win32::HKL loaded;
        std::vector<KeyboardLayoutCall> callsWhileAlive;
        std::vector<KeyboardLayoutCall> callsAfter;
    };
    const Case cases[] = {
        {"loaded", 0x04090409, "ru", false, 0x04190419,
         {{Kind::Activate, 0x419, "", 0}, {Kind::Load, 0, "00000419", flags}},
         {{Kind::Unload, 0x04190419, "", 0}}},
        {"activated", 0x04090409, "ru", true, 0x04190419, {{Kind::Activate, 0x419, "", 0}}, {}},
        {"another layout loaded", 0x04090409, "ru", false, 0x04090409,
         {{Kind::Activate, 0x419, "", 0}, {Kind::Load, 0, "00000419", flags}},
         {}},
        {"both fail", 0x04090409, "ru", false, 0,
         {{Kind::Activate, 0x419, "", 0}, {Kind::Load, 0, "00000419", flags}},
         {}},
        {"already current", 0x04190419, "ru", false, 0x04190419, {}, {}},
        {"only the high half counts", 0x04190409, "ru", false, 0x04190419, {}, {}},
        {"french in hex upper case", 0x04090409, "fr", false, 0x040C040C,
         {{Kind::Activate, 0x40c, "", 0}, {Kind::Load, 0, "0000040C", flags}},
         {{Kind::Unload, 0x040C040C, "", 0}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Reset();
        Setup setup({c.language}, c.language);
        win32::testing::SetCurrentKeyboardLayout(c.current);
        win32::testing::SetActivateKeyboardLayoutSucceeds(c.activateSucceeds);
        win32::testing::SetLoadedKeyboardLayout(c.loaded);
        {
            const LanguageManager languages(setup.files.get(), kKey);
            EXPECT_EQ(languages.GetLanguage()->code, c.language);
            EXPECT_EQ(win32::testing::GetKeyboardLayoutCalls(), c.callsWhileAlive);
        }
        std::vector<KeyboardLayoutCall> all = c.callsWhileAlive;
        all.insert(all.end(), c.callsAfter.begin(), c.callsAfter.end());
        EXPECT_EQ(win32::testing::GetKeyboardLayoutCalls(), all);
    }
}

TEST_F(LanguageManagerTest, TheLocaleFollowsTheLanguageButNumbersStayEnglish)
{
    const struct
    {
        const char* code;
        const char* localeName;
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {"ru", "russian", u"Анна", "\xC0\xED\xED\xE0"},
        {"cz", "czech", u"Řeka", "\xD8" "eka"},
        {"en", "english", u"Øre", "\xD8re"},
        {"ge", "german", u"Über", "\xDC" "ber"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.code);
        Reset();
        Setup setup({c.code}, c.code);
        const LanguageManager languages(setup.files.get(), kKey);
        EXPECT_STREQ(win32::setlocale(LC_CTYPE, nullptr), c.localeName);
        EXPECT_STREQ(win32::setlocale(LC_COLLATE, nullptr), c.localeName);
        const std::string narrow = OrvaneEngine::WideToNarrow(c.text);
        EXPECT_EQ(narrow, c.bytes);
        EXPECT_EQ(OrvaneEngine::NarrowToWide(narrow), c.text);
        EXPECT_FLOAT_EQ(OrvaneEngine::StringToFloatW(u"2.5"), 2.5f);
        EXPECT_EQ(OrvaneEngine::FloatToString(2.5f, 1), "2.5");
    }
    EXPECT_STREQ(std::setlocale(LC_ALL, nullptr), "C");
}

} // namespace
