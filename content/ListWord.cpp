#include "content/ListWord.h"

#include <cctype>
#include <stdexcept>

namespace corvellan::content
{

std::string CheckedListWord(const std::string& word, const std::string& list, const std::string& what)
{
    if (word.empty())
        throw std::invalid_argument(list + ": empty " + what + " name");
    for (const char c : word)
    {
        if (std::isspace(static_cast<unsigned char>(c)) || c == '\0')
            throw std::invalid_argument(list + ": " + what + " name \"" + word + "\" holds a blank");
    }
    if (word.find("//") != std::string::npos)
        throw std::invalid_argument(list + ": " + what + " name \"" + word + "\" holds a comment");
    return word;
}

} // namespace corvellan::content
