#include "tools/XMLValue.h"

#include "engine/core/StringFunctions.h"

namespace GameTools
{
namespace
{

bool IsTokenUnit(char16_t unit)
{
    return (unit >= u'0' && unit <= u'9') || (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') ||
           unit == u'+' || unit == u'-' || unit == u'.';
}

char16_t UnitOf(char c)
{
    return static_cast<unsigned char>(c);
}

char16_t UnitOf(char16_t c)
{
    return c;
}

// Text is std::string or std::u16string; toInt reads one token.
template <typename Text, typename ToInt>
std::pair<std::uint32_t, std::uint32_t> FirstTwoIntegers(const Text& text, ToInt toInt)
{
    std::uint32_t values[2] = {0, 0};
    std::size_t found = 0;
    std::size_t at = 0;
    while (found < 2 && at < text.size())
    {
        if (!IsTokenUnit(UnitOf(text[at])))
        {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < text.size() && IsTokenUnit(UnitOf(text[end])))
            ++end;
        values[found++] = static_cast<std::uint32_t>(toInt(text.substr(at, end - at)));
        at = end;
    }
    return {values[0], values[1]};
}

} // namespace

XMLValue::~XMLValue() = default;

void XMLValue::SetText(const std::u16string& text)
{
    wide = text;
    state = StateWide;
}

const std::string& XMLValue::GetText()
{
    if (state == StateWide)
    {
        OrvaneEngine::WideToNarrowInto(wide, narrow);
        state = StateNarrow;
    }
    return narrow;
}

std::int32_t XMLValue::GetInt() const
{
    return state == StateWide ? OrvaneEngine::StringToIntW(wide, 10) : OrvaneEngine::StringToInt(narrow, 10);
}

float XMLValue::GetFloat() const
{
    return state == StateWide ? OrvaneEngine::StringToFloatW(wide) : OrvaneEngine::StringToFloat(narrow);
}

bool XMLValue::GetBool() const
{
    return state == StateWide ? OrvaneEngine::StringToBoolW(wide) : OrvaneEngine::StringToBool(narrow);
}

std::pair<std::uint32_t, std::uint32_t> XMLValue::GetIntPair() const
{
    if (state == StateWide)
        return FirstTwoIntegers(wide, [](const std::u16string& token) { return OrvaneEngine::StringToIntW(token, 10); });
    return FirstTwoIntegers(narrow, [](const std::string& token) { return OrvaneEngine::StringToInt(token, 10); });
}

} // namespace GameTools
