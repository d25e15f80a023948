#pragma once

namespace OrvaneEngine
{

// The lower-case form of one UTF-16 unit, independent of any locale, for
// Latin-1, Latin Extended-A, Greek and Cyrillic (U+0400 to U+04FF). A unit
// that has no single-unit lower-case form there comes back unchanged.
char16_t ToLowerUnit(char16_t unit);

} // namespace OrvaneEngine
