#pragma once

#include <clocale>
#include <cstddef>

namespace win32
{

// The C runtime's character locale (LC_CTYPE), over our own single-byte code
// page tables 1252, 1251 and 1250; the system's locale is never consulted.
//
// At start-up the runtime's "C" state holds: text converts through 1252 and
// case mapping changes only A-Z and a-z. Selecting a named locale brings in
// its code page for the conversions and that code page's letter pairs for
// case mapping. The state is process-wide; it is meant to be set once, early,
// by the language handling, and may be read from any thread.

// setlocale(LC_CTYPE, name). Known names, in any letter case: "english",
// "german", "french", "italian", "spanish" (1252), "russian" (1251), "czech"
// (1250), and "C" for the start-up state. Returns the name of the locale now
// in force, or null for an unknown name, which changes nothing. A null name
// only asks for the current one.
const char* setlocale_ctype(const char* name);

// setlocale(category, name) with the C library's category numbers (LC_ALL,
// LC_CTYPE, LC_COLLATE); the C library's own setlocale is never called, so
// numbers parse and print with '.' whatever the locale. LC_CTYPE is
// setlocale_ctype. LC_COLLATE only records the name, as nothing in the
// program collates. LC_ALL does both, answering the LC_CTYPE name. A name
// either takes the names above or answers null and changes nothing; a null
// name asks for the current one. Other categories answer null.
const char* setlocale(int category, const char* name);

// _setmbcp's code page "the one of the current locale".
inline constexpr int MB_CP_LOCALE = -4;

// The multibyte code page always is the LC_CTYPE one, so MB_CP_LOCALE
// answers 0 and changes nothing. Any other code page answers -1.
int _setmbcp(int codePage);

// MB_CUR_MAX: the longest character of the current code page, in bytes.
int mb_cur_max();

// Converts the character at bytes (at most count bytes) into *unit (which may
// be null). Returns 0 for the NUL byte, the byte length of the character, or
// -1 when no character can be read (count 0). Every byte is a character here.
int mbtowc(char16_t* unit, const char* bytes, std::size_t count);

// Converts one UTF-16 unit into at most bufferSize bytes. Returns 0 and sets
// *byteCount (when not null) to the bytes written, or returns an error code
// and sets *byteCount to -1: EILSEQ when the code page has no byte for the
// unit, ERANGE when the buffer is too small, EINVAL for a null buffer with a
// size. A null buffer of size 0 writes nothing and gives 0 bytes.
int wctomb_s(int* byteCount, char* buffer, std::size_t bufferSize, char16_t unit);

// Case mapping of one byte value (0-255) through the current locale; any
// other value comes back unchanged.
int tolower(int c);
int toupper(int c);

// tolower applied to a 16-bit unit, as the runtime's single-byte tolower
// treats one: before a locale is set only A-Z change; once one is, the units
// up to 0xFF follow the Latin-1 letter pairs. Other units never change.
char16_t tolower_wide(char16_t unit);

// Narrow white space: blank, tab, line feed, vertical tab, form feed and
// carriage return, in every locale. Non-zero when c is one of them.
int isspace(int c);

// Wide white space: the units with the Unicode White_Space property.
int iswspace(char16_t unit);

} // namespace win32
