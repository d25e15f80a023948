#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace OrvaneEngine
{

// A failure result of DirectDraw and the text the log shows for it.
struct D3DResultText
{
    std::int32_t result;
    const char* text;
};

// Every result with a text of its own; any other failure is shown by number.
std::span<const D3DResultText> GetD3DResultTexts();

// The text of a result, or null when it has none.
const char* FindD3DResultText(std::int32_t result);

// The text of a failure as the log shows it: its own text, or
// "Unknown error (Code: <signed decimal>)".
std::string DescribeD3DResult(std::int32_t result);

} // namespace OrvaneEngine
