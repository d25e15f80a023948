#include "framework/LanguageManager.h"

#include "engine/core/FileManager.h"
#include "engine/core/StringFunctions.h"
#include "framework/Registry.h"
#include "platform/win32/Locale.h"

#include <clocale>
#include <cstdio>

namespace GameFramework
{
LanguageManager::LanguageManager(OrvaneEngine::FileManager* fileManager, const std::string& registryKey)
    : fileManager(fileManager)
{
    // The order is also the order in which a language with a fonts list is
    // looked for when the wished one has none.
    const Language table[] = {
        {"en", 0x409, "english"}, {"ru", 0x419, "russian"}, {"ge", 0x407, "german"}, {"fr", 0x40c, "french"},
        {"it", 0x410, "italian"}, {"sp", 0x40a, "spanish"}, {"cz", 0x405, "czech"},
    };
    for (const Language& row : table)
        languages.push_back(std::make_unique<Language>(row));

    current = FindByCode(ChooseCode(registryKey));
    if (current == nullptr)
        current = FindByCode("en");
    ApplyKeyboardLayout();
    ApplyLocale();
}

LanguageManager::~LanguageManager()
{
    if (loadedLayout != 0)
        win32::UnloadKeyboardLayout(loadedLayout);
}

const LanguageManager::Language* LanguageManager::FindByCode(const std::string& code) const
{
    const std::string wanted = OrvaneEngine::ToLower(code);
    for (const auto& row : languages)
    {
        if (OrvaneEngine::ToLower(row->code) == wanted)
            return row.get();
    }
    return nullptr;
}

std::uint32_t LanguageManager::GetLayoutId(win32::HKL layout)
{
    return layout >> 16;
}

win32::HKL LanguageManager::MakeLayoutHandle(std::uint32_t layoutId)
{
    return layoutId;
}

std::string LanguageManager::ChooseCode(const std::string& registryKey) const
{
    std::string code;
    if (!RegistryReadMachineOrUserString(registryKey, "Language", code) || !HasFontsList(code))
        code.clear();
    if (code.empty())
    {
        for (const auto& row : languages)
        {
            if (HasFontsList(row->code))
                return row->code;
        }
        return "en";
    }
    return code;
}

bool LanguageManager::HasFontsList(const std::string& code) const
{
    return fileManager != nullptr && fileManager->Exists("data\\ui\\fonts\\" + code + ".ini");
}

void LanguageManager::ApplyKeyboardLayout()
{
    // Any failure leaves the player's current layout: text input still works
    // in it, only the letters the profile names can take differ.
    if (GetLayoutId(win32::GetKeyboardLayout(0)) == current->layoutId)
        return;
    if (win32::ActivateKeyboardLayout(MakeLayoutHandle(current->layoutId), 0) != 0)
        return;
    char layoutName[9];
    std::snprintf(layoutName, sizeof layoutName, "%08X", static_cast<unsigned>(current->layoutId));
    const win32::HKL loaded = win32::LoadKeyboardLayoutA(layoutName, win32::KLF_ACTIVATE);
    if (loaded != 0 && GetLayoutId(loaded) == current->layoutId)
        loadedLayout = loaded;
}

void LanguageManager::ApplyLocale() const
{
    // Numbers keep the english conventions; only the character classes,
    // collation and the multibyte code page follow the language.
    win32::setlocale(LC_ALL, "english");
    win32::setlocale(LC_CTYPE, current->localeName.c_str());
    win32::setlocale(LC_COLLATE, current->localeName.c_str());
    win32::_setmbcp(win32::MB_CP_LOCALE);
}

} // namespace GameFramework
