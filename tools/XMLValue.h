#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace GameTools
{

// The text of an element or an attribute. It is stored wide as parsed and
// turned into narrow text only when that is first asked for; the number
// getters read whichever text is current, so they never convert.
class XMLValue
{
public:
    // The wide text is current and the narrow text not made yet.
    static constexpr std::uint32_t StateWide = 1;
    // The narrow text is current (also a new, empty value).
    static constexpr std::uint32_t StateNarrow = 2;

    XMLValue() = default;
    virtual ~XMLValue();
    XMLValue(const XMLValue&) = default;
    XMLValue& operator=(const XMLValue&) = default;

    void SetText(const std::u16string& text);
    // Converts through the current code page on the first call after SetText.
    const std::string& GetText();
    std::int32_t GetInt() const;
    float GetFloat() const;
    // The base-10 integer is not 0: "1" and "-1" are true, a word is false.
    bool GetBool() const;
    // The first two tokens of letters, digits, '+', '-' and '.', each read as
    // a base-10 integer ("3.5, 7" is 3 and 7); a missing one is 0.
    std::pair<std::uint32_t, std::uint32_t> GetIntPair() const;

    std::uint32_t GetState() const { return state; }

private:
    std::uint32_t state = StateNarrow;
    std::string narrow;
    std::u16string wide;
};

} // namespace GameTools
