#pragma once

#include <cstdint>
#include <string>

namespace OrvaneEngine
{
class Engine;
class FileManager;
} // namespace OrvaneEngine

namespace GameTools
{

class XMLNode;

// Reads a small XML subset (elements, quoted attributes, text, comments,
// processing instructions; no entities, no CDATA) into a tree of XMLNode.
class XMLParser
{
public:
    // Elements nested deeper than this are a syntax error (code 16).
    static constexpr std::uint32_t DeepestNesting = 256;

    explicit XMLParser(OrvaneEngine::Engine* engine);
    explicit XMLParser(OrvaneEngine::FileManager* fileManager);
    virtual ~XMLParser();
    XMLParser(const XMLParser&) = delete;
    XMLParser& operator=(const XMLParser&) = delete;

    void ParseFile(XMLNode*& root, const std::string& path);
    // Reads the file whole (any byte-order mark) and builds the tree. A null
    // root receives the document's first element; a node passed in receives
    // the document's top-level elements and text. A syntax error deletes the
    // tree (a node passed in included), nulls root and throws FileError
    // "XML format error at line L: code C". Errors of opening and reading
    // the file leave root alone.
    void Parse(XMLNode*& root, const std::string& path);

private:
    OrvaneEngine::FileManager* fileManager;
};

} // namespace GameTools
