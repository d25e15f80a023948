#include "engine/core/LowerCase.h"

#include <cstdint>
#include <iterator>

namespace OrvaneEngine
{

namespace
{

// A run of capitals: either every unit moves by the same offset, or (pairs)
// the capitals are every other unit from first and each is followed by its
// small letter.
struct CaseRun
{
    char16_t first;
    char16_t last;
    std::int32_t offset;
    bool pairs;
};

constexpr CaseRun Runs[] = {
    {u'A', u'Z', 32, false},
    {0x00C0, 0x00D6, 32, false},
    {0x00D8, 0x00DE, 32, false},
    {0x0100, 0x012E, 1, true},
    {0x0130, 0x0130, 0x0069 - 0x0130, false}, // dotted capital I: plain i
    {0x0132, 0x0136, 1, true},
    {0x0139, 0x0147, 1, true},
    {0x014A, 0x0176, 1, true},
    {0x0178, 0x0178, 0x00FF - 0x0178, false},
    {0x0179, 0x017D, 1, true},
    {0x0370, 0x0372, 1, true},
    {0x0376, 0x0376, 1, false},
    {0x037F, 0x037F, 0x03F3 - 0x037F, false},
    {0x0386, 0x0386, 0x03AC - 0x0386, false},
    {0x0388, 0x038A, 0x03AD - 0x0388, false},
    {0x038C, 0x038C, 0x03CC - 0x038C, false},
    {0x038E, 0x038F, 0x03CD - 0x038E, false},
    {0x0391, 0x03A1, 32, false},
    {0x03A3, 0x03AB, 32, false},
    {0x03CF, 0x03CF, 0x03D7 - 0x03CF, false},
    {0x03D8, 0x03EE, 1, true},
    {0x03F4, 0x03F4, 0x03B8 - 0x03F4, false},
    {0x03F7, 0x03F7, 1, false},
    {0x03F9, 0x03F9, 0x03F2 - 0x03F9, false},
    {0x03FA, 0x03FA, 1, false},
    {0x03FD, 0x03FF, 0x037B - 0x03FD, false},
    {0x0400, 0x040F, 80, false},
    {0x0410, 0x042F, 32, false},
    {0x0460, 0x0480, 1, true},
    {0x048A, 0x04BE, 1, true},
    {0x04C0, 0x04C0, 0x04CF - 0x04C0, false},
    {0x04C1, 0x04CD, 1, true},
    {0x04D0, 0x04FE, 1, true},
};

} // namespace

char16_t ToLowerUnit(char16_t unit)
{
    for (const CaseRun& run : Runs)
    {
        if (unit < run.first || unit > run.last)
            continue;
        if (run.pairs && (unit - run.first) % 2 != 0)
            return unit;
        return static_cast<char16_t>(unit + run.offset);
    }
    return unit;
}

} // namespace OrvaneEngine
