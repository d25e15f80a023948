#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace win32::detail
{

// The code points of UTF-8 text. A byte that does not start a well-formed
// sequence (overlong forms, surrogates, values past U+10FFFF, cut-off
// sequences) is skipped, and decoding goes on with the next byte.
std::vector<char32_t> DecodeUtf8(std::string_view text);

// Narrow text of the active code page as UTF-8.
std::string NarrowToUtf8(std::string_view text);

} // namespace win32::detail
