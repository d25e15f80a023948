#pragma once

#include "platform/win32/KeyboardLayout.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace OrvaneEngine
{
class FileManager;
}

namespace GameFramework
{

// The game's language, chosen once at start-up from the registry among the
// languages whose fonts list exists, and the keyboard layout and locale made
// to fit it.
class LanguageManager
{
public:
    struct Language
    {
        std::string code;           // "en", "ru", ...: the name of its fonts list and texts folder
        std::uint32_t layoutId = 0; // its keyboard layout, such as 0x419
        std::string localeName;     // "english", "russian", ...
    };

    // registryKey is the game's key, whose "Language" value names the wish.
    LanguageManager(OrvaneEngine::FileManager* fileManager, const std::string& registryKey);
    virtual ~LanguageManager();
    LanguageManager(const LanguageManager&) = delete;
    LanguageManager& operator=(const LanguageManager&) = delete;

    // Never null.
    const Language* GetLanguage() const { return current; }
    // The first row whose code equals code, letter case aside; null for none.
    const Language* FindByCode(const std::string& code) const;

    static std::uint32_t GetLayoutId(win32::HKL layout);
    static win32::HKL MakeLayoutHandle(std::uint32_t layoutId);

private:
    std::string ChooseCode(const std::string& registryKey) const;
    bool HasFontsList(const std::string& code) const;
    void ApplyKeyboardLayout();
    void ApplyLocale() const;

    OrvaneEngine::FileManager* fileManager;
    std::vector<std::unique_ptr<Language>> languages;
    const Language* current = nullptr;
    // A layout loaded here, unloaded again with the manager; 0 when none.
    win32::HKL loadedLayout = 0;
};

} // namespace GameFramework
