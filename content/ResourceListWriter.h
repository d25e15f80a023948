#pragma once

#include <string>
#include <utility>
#include <vector>

namespace corvellan::content
{

// One element of a resource list. Texts are UTF-8.
struct ResourceElement
{
    // A nameless element stands for the document: its children are written
    // as top-level elements, and its text goes before them.
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::string text;
    std::vector<ResourceElement> children;
};

enum class ResourceListEncoding
{
    Utf8,
    Utf16LittleEndian,
    Utf16BigEndian
};

// Writes the XML resource lists the data keepers read, each encoding with
// its byte-order mark. There are no entities: a value holding a '"' is
// quoted with '\'' instead.
class ResourceListWriter
{
public:
    // The element tree as indented UTF-8 text, one element per line, CR LF
    // line ends, no byte-order mark.
    static std::string Format(const ResourceElement& element);
    // UTF-8 text in the encoding, mark first.
    static std::string Encode(const std::string& text, ResourceListEncoding encoding);

    // Writes to path (an operating-system path), making its folders, whole or
    // not at all; false when it could not be written.
    static bool WriteTo(const std::string& path, const ResourceElement& root, ResourceListEncoding encoding);
    // The same for literal text, which is written as given.
    static bool WriteTextTo(const std::string& path, const std::string& text, ResourceListEncoding encoding);
};

} // namespace corvellan::content
