#pragma once

#include <string>

namespace corvellan::content
{

// A name as a word-by-word list reader splits it back: not empty, no white
// space, no zero byte and no "//", which would start a comment. Returns the
// word; throws std::invalid_argument naming the list and what the word is.
std::string CheckedListWord(const std::string& word, const std::string& list, const std::string& what);

} // namespace corvellan::content
