#include "engine/core/CodePageTables.h"

#include "platform/win32/Locale.h"

#include <map>
#include <memory>
#include <mutex>

namespace OrvaneEngine
{

CodePageTables::CodePageTables()
{
    for (int byte = 0; byte < 256; ++byte)
    {
        const char narrow = static_cast<char>(byte);
        char16_t unit = 0;
        if (win32::mbtowc(&unit, &narrow, 1) >= 0)
            units[static_cast<std::size_t>(byte)] = unit;
    }
    std::array<std::int16_t, 256> none;
    none.fill(-1);
    blocks.push_back(none);
    for (int high = 0; high < 256; ++high)
    {
        std::array<std::int16_t, 256> block = none;
        bool any = false;
        for (int low = 0; low < 256; ++low)
        {
            char bytes[8] = {};
            int count = 0;
            const auto unit = static_cast<char16_t>((high << 8) | low);
            // Every code page the runtime knows has one byte per character.
            if (win32::wctomb_s(&count, bytes, sizeof(bytes), unit) == 0 && count == 1)
            {
                block[static_cast<std::size_t>(low)] = static_cast<unsigned char>(bytes[0]);
                any = true;
            }
        }
        if (high == 0)
        {
            for (int low = 0; low < 0x80; ++low)
                asciiKept = asciiKept && block[static_cast<std::size_t>(low)] == low;
        }
        if (any)
        {
            blockOfHighByte[static_cast<std::size_t>(high)] = static_cast<std::uint16_t>(blocks.size());
            blocks.push_back(block);
        }
    }
}

const CodePageTables& CodePageTables::Current()
{
    // The locale's name pointer stands for the locale: the runtime hands out
    // one fixed text per locale.
    thread_local const char* cachedLocale = nullptr;
    thread_local const CodePageTables* cachedTables = nullptr;
    const char* locale = win32::setlocale_ctype(nullptr);
    if (locale == cachedLocale && cachedTables)
        return *cachedTables;

    static std::mutex lock;
    static std::map<const char*, std::unique_ptr<CodePageTables>> built;
    std::lock_guard guard(lock);
    auto& tables = built[locale];
    if (!tables)
        tables.reset(new CodePageTables());
    cachedLocale = locale;
    cachedTables = tables.get();
    return *tables;
}

} // namespace OrvaneEngine
