#include "platform/win32/Locale.h"

#include "platform/win32/CodePageTables.h"

#include <atomic>
#include <cerrno>

namespace win32
{
namespace
{

struct CharacterLocale
{
    const char* name;
    const CodePage* codePage;
    // False only in the start-up state, where case mapping is ASCII.
    bool letterPairs;
};

constexpr CharacterLocale kStartupLocale{"C", &codePage1252, false};

constexpr CharacterLocale kNamedLocales[]{
    {"english", &codePage1252, true}, {"german", &codePage1252, true},  {"french", &codePage1252, true},
    {"italian", &codePage1252, true}, {"spanish", &codePage1252, true}, {"russian", &codePage1251, true},
    {"czech", &codePage1250, true},
};

// Constant-initialised, so a conversion made during another file's static
// initialisation already sees the start-up state.
constinit std::atomic<const CharacterLocale*> active{&kStartupLocale};

// The recorded collation: the name of one of the locales above.
constinit std::atomic<const char*> collation{kStartupLocale.name};

const CharacterLocale& Active()
{
    return *active.load(std::memory_order_acquire);
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool SameNameIgnoringCase(const char* a, const char* b)
{
    for (; *a != '\0' && *b != '\0'; ++a, ++b)
        if (AsciiLower(*a) != AsciiLower(*b))
            return false;
    return *a == *b;
}

// The locale of a name, in any letter case, or null.
const CharacterLocale* Find(const char* name)
{
    if (SameNameIgnoringCase(name, kStartupLocale.name))
        return &kStartupLocale;
    for (const CharacterLocale& candidate : kNamedLocales)
        if (SameNameIgnoringCase(name, candidate.name))
            return &candidate;
    return nullptr;
}

} // namespace

const char* setlocale_ctype(const char* name)
{
    if (name == nullptr)
        return Active().name;
    const CharacterLocale* found = Find(name);
    if (found == nullptr)
        return nullptr;
    active.store(found, std::memory_order_release);
    return found->name;
}

const char* setlocale(int category, const char* name)
{
    const bool characters = category == LC_CTYPE || category == LC_ALL;
    const bool collating = category == LC_COLLATE || category == LC_ALL;
    if (!characters && !collating)
        return nullptr;
    if (name == nullptr)
        return characters ? Active().name : collation.load(std::memory_order_acquire);
    const CharacterLocale* found = Find(name);
    if (found == nullptr)
        return nullptr;
    if (characters)
        active.store(found, std::memory_order_release);
    if (collating)
        collation.store(found->name, std::memory_order_release);
    return found->name;
}

int _setmbcp(int codePage)
{
    return codePage == MB_CP_LOCALE ? 0 : -1;
}

int mb_cur_max()
{
    return 1;
}

int mbtowc(char16_t* unit, const char* bytes, std::size_t count)
{
    if (bytes == nullptr)
        return 0; // no shift states to reset
    if (count == 0)
        return -1;
    const auto byte = static_cast<unsigned char>(*bytes);
    const char16_t converted = Active().codePage->units[byte];
    if (unit != nullptr)
        *unit = converted;
    return byte == 0 ? 0 : 1;
}

int wctomb_s(int* byteCount, char* buffer, std::size_t bufferSize, char16_t unit)
{
    auto fail = [byteCount](int error) {
        if (byteCount != nullptr)
            *byteCount = -1;
        return error;
    };
    if (buffer == nullptr)
    {
        if (bufferSize != 0)
            return fail(EINVAL);
        if (byteCount != nullptr)
            *byteCount = 0;
        return 0;
    }
    const int byte = Active().codePage->ByteOf(unit);
    if (byte < 0)
        return fail(EILSEQ);
    if (bufferSize < 1)
        return fail(ERANGE);
    buffer[0] = static_cast<char>(static_cast<unsigned char>(byte));
    if (byteCount != nullptr)
        *byteCount = 1;
    return 0;
}

int tolower(int c)
{
    if (c < 0 || c > 0xFF)
        return c;
    const CharacterLocale& current = Active();
    if (current.letterPairs)
        return current.codePage->lower[c];
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

int toupper(int c)
{
    if (c < 0 || c > 0xFF)
        return c;
    const CharacterLocale& current = Active();
    if (current.letterPairs)
        return current.codePage->upper[c];
    return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c;
}

char16_t tolower_wide(char16_t unit)
{
    if (unit >= u'A' && unit <= u'Z')
        return static_cast<char16_t>(unit + (u'a' - u'A'));
    // Latin-1 capitals: 0xC0 to 0xDE, except the multiplication sign.
    if (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7 && Active().letterPairs)
        return static_cast<char16_t>(unit + 0x20);
    return unit;
}

int isspace(int c)
{
    return c == ' ' || (c >= '\t' && c <= '\r') ? 1 : 0;
}

int iswspace(char16_t unit)
{
    switch (unit)
    {
    case 0x0009:
    case 0x000A:
    case 0x000B:
    case 0x000C:
    case 0x000D:
    case 0x0020:
    case 0x0085:
    case 0x00A0:
    case 0x1680:
    case 0x2028:
    case 0x2029:
    case 0x202F:
    case 0x205F:
    case 0x3000:
        return 1;
    default:
        return unit >= 0x2000 && unit <= 0x200A ? 1 : 0;
    }
}

} // namespace win32
