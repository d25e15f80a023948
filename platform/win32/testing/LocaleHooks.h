#pragma once

namespace win32::testing
{

// Puts in force a named locale of the code page 1252, 1251 or 1250: its
// conversions and its letter pairs. False, changing nothing, for any other.
bool SelectCodePage(int codePage);

// Back to the start-up "C" state, the recorded collation included.
void ResetLocale();

} // namespace win32::testing
