#include "engine/core/LowerCase.h"

#include <gtest/gtest.h>

#include <cstdint>

using OrvaneEngine::ToLowerUnit;

namespace
{

struct LowerCase
{
    char16_t unit;
    char16_t lower;
};

// Capitals of every block covered, its edges and its exceptions, and units
// that must stay as they are.
constexpr LowerCase Cases[] = {
    {u'A', u'a'},        {u'Z', u'z'},        {u'a', u'a'},        {u'@', u'@'},        {u'[', u'['},
    {u'0', u'0'},        {u'\u00C0', u'\u00E0'}, {u'\u00D6', u'\u00F6'}, {u'\u00D7', u'\u00D7'}, // ×
    {u'\u00D8', u'\u00F8'}, {u'\u00DE', u'\u00FE'}, {u'\u00DF', u'\u00DF'}, {u'\u00FF', u'\u00FF'},
    {u'\u0178', u'\u00FF'}, // Ÿ
    {u'\u0100', u'\u0101'}, {u'\u0101', u'\u0101'}, {u'\u010C', u'\u010D'}, // Č
    {u'\u010E', u'\u010F'}, {u'\u011A', u'\u011B'}, {u'\u0130', u'i'},      {u'\u0131', u'\u0131'},
    {u'\u0138', u'\u0138'}, {u'\u0139', u'\u013A'}, {u'\u013D', u'\u013E'}, {u'\u0147', u'\u0148'},
    {u'\u0149', u'\u0149'}, {u'\u0158', u'\u0159'}, {u'\u0160', u'\u0161'}, {u'\u0164', u'\u0165'},
    {u'\u016E', u'\u016F'}, {u'\u0179', u'\u017A'}, {u'\u017D', u'\u017E'}, {u'\u017F', u'\u017F'},
    {u'\u0386', u'\u03AC'}, {u'\u038F', u'\u03CE'}, {u'\u0391', u'\u03B1'}, {u'\u03A1', u'\u03C1'},
    {u'\u03A2', u'\u03A2'}, {u'\u03A3', u'\u03C3'}, // Σ
    {u'\u03AB', u'\u03CB'}, {u'\u03C2', u'\u03C2'}, {u'\u03DA', u'\u03DB'}, {u'\u03F4', u'\u03B8'},
    {u'\u0400', u'\u0450'}, {u'\u0401', u'\u0451'}, // Ё
    {u'\u040F', u'\u045F'}, {u'\u0410', u'\u0430'}, // А
    {u'\u042F', u'\u044F'}, {u'\u0430', u'\u0430'}, {u'\u0460', u'\u0461'}, {u'\u0482', u'\u0482'},
    {u'\u048A', u'\u048B'}, {u'\u04C0', u'\u04CF'}, {u'\u04C1', u'\u04C2'}, {u'\u04D0', u'\u04D1'},
    {u'\u04FE', u'\u04FF'}, {u'\u0500', u'\u0500'}, {u'\u1E9E', u'\u1E9E'}, {u'\uFF21', u'\uFF21'},
};

TEST(LowerCaseTest, MapsTheCapitalsOfTheCoveredBlocks)
{
    for (const LowerCase& c : Cases)
    {
        EXPECT_EQ(static_cast<std::uint32_t>(ToLowerUnit(c.unit)), static_cast<std::uint32_t>(c.lower))
            << "U+" << std::hex << static_cast<std::uint32_t>(c.unit);
    }
}

// A mapped unit is a small letter, so mapping it again changes nothing; no
// unit beyond the covered blocks changes.
TEST(LowerCaseTest, SmallLettersAreFixedPoints)
{
    for (std::uint32_t unit = 0; unit <= 0xFFFF; ++unit)
    {
        const char16_t lower = ToLowerUnit(static_cast<char16_t>(unit));
        ASSERT_EQ(ToLowerUnit(lower), lower) << "U+" << std::hex << unit;
        if (lower != unit)
        {
            ASSERT_LT(unit, 0x0500u) << "U+" << std::hex << unit;
        }
    }
}

} // namespace
