#include "tools/XMLParser.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/StringFunctions.h"
#include "platform/win32/Locale.h"
#include "tools/XMLNode.h"

#include <memory>

namespace GameTools
{
namespace
{

// The syntax error codes; 3 is not used.
enum Code : std::uint32_t
{
    CodeCloseWithoutElement = 0,
    CodeEmptyTag = 1,
    CodeCloseMismatch = 2,
    CodeEqualsWithoutName = 4,
    CodeSlashNotLast = 5,
    CodeSlashAfterName = 6,
    CodeAttributeTwice = 7,
    CodeValueNotQuoted = 8,
    CodeNoElementName = 9,
    CodeAttributeWithoutValue = 10,
    CodeEqualsWithoutValue = 11,
    CodeMarkupAfterRoot = 12,
    CodeTextOutsideElement = 13,
    CodeEndInsideTag = 14,
    CodeNoElement = 15,
    CodeTooDeep = 16,
};

// A letter, digit or punctuation unit: neither white space nor a control.
// Surrogates count as visible.
bool IsVisible(char16_t unit)
{
    if (unit < 0x20 || (unit >= 0x7F && unit <= 0x9F))
        return false;
    return win32::iswspace(unit) == 0;
}

bool IsQuote(char16_t unit)
{
    return unit == u'"' || unit == u'\'';
}

// What the scan of one document builds and where it stands.
struct Scan
{
    XMLNode*& root;
    // The node passed in, or null; closing tags never climb above it.
    XMLNode* start;
    XMLNode* current;
    std::uint32_t depth;
    std::uint32_t line;
};

[[noreturn]] void Fail(Scan& scan, std::uint32_t code)
{
    delete scan.root;
    scan.root = nullptr;
    throw OrvaneEngine::FileError("XML format error at line " + OrvaneEngine::UIntToString(scan.line, 0) +
                                  ": code " + OrvaneEngine::UIntToString(code, 0));
}

void Enter(Scan& scan, const std::u16string& name)
{
    if (scan.depth >= XMLParser::DeepestNesting)
        Fail(scan, CodeTooDeep);
    auto* node = new XMLNode(OrvaneEngine::WideToNarrow(name), scan.current);
    if (!scan.root)
        scan.root = node;
    scan.current = node;
    ++scan.depth;
}

void Leave(Scan& scan)
{
    scan.current = scan.current == scan.start ? nullptr : scan.current->GetParent();
    if (scan.depth > 0)
        --scan.depth;
}

// The buffer of an opening tag, without its '<' and '>': the element name,
// then attributes name="value" or name='value', then an optional '/'.
void ParseOpeningTag(Scan& scan, const std::u16string& tag)
{
    enum class Expect
    {
        Name,
        AttributeName,
        Value,
        InValue
    };
    Expect expect = Expect::Name;
    std::u16string name;
    std::u16string attributeName;
    std::u16string value;
    char16_t quote = 0;
    bool selfClosing = false;
    for (std::size_t at = 0; at < tag.size(); ++at)
    {
        const char16_t unit = tag[at];
        switch (expect)
        {
        case Expect::Name:
            // A '/' ends the name too, so that <a/> closes itself as <a /> does.
            if (IsVisible(unit) && unit != u'/')
            {
                name += unit;
                break;
            }
            if (name.empty())
                break;
            if (name == u"!--")
                return;
            Enter(scan, name);
            expect = Expect::AttributeName;
            if (unit == u'/')
                --at;
            break;
        case Expect::AttributeName:
            if (!IsVisible(unit))
                break;
            if (unit == u'=')
            {
                if (attributeName.empty())
                    Fail(scan, CodeEqualsWithoutName);
                expect = Expect::Value;
            }
            else if (unit == u'/')
            {
                if (!attributeName.empty())
                    Fail(scan, CodeSlashAfterName);
                if (at + 1 != tag.size())
                    Fail(scan, CodeSlashNotLast);
                selfClosing = true;
            }
            else
            {
                attributeName += unit;
            }
            break;
        case Expect::Value:
            if (!IsVisible(unit))
                break;
            if (!IsQuote(unit))
                Fail(scan, CodeValueNotQuoted);
            quote = unit;
            value.clear();
            expect = Expect::InValue;
            break;
        case Expect::InValue:
            if (unit != quote)
            {
                value += unit;
                break;
            }
            {
                const std::string narrowName = OrvaneEngine::WideToNarrow(attributeName);
                if (scan.current->HasAttribute(narrowName))
                    Fail(scan, CodeAttributeTwice);
                scan.current->SetAttribute(narrowName, value);
            }
            attributeName.clear();
            expect = Expect::AttributeName;
            break;
        }
    }

    switch (expect)
    {
    case Expect::Name:
        if (name.empty())
            Fail(scan, CodeNoElementName);
        if (name == u"!--")
            return;
        Enter(scan, name);
        break;
    case Expect::AttributeName:
        if (!attributeName.empty())
            Fail(scan, CodeAttributeWithoutValue);
        break;
    case Expect::Value:
    case Expect::InValue:
        Fail(scan, CodeEqualsWithoutValue);
    }
    if (selfClosing)
        Leave(scan);
}

void ScanText(Scan& scan, const std::u16string& text)
{
    bool inTag = false;
    bool closing = false;
    bool instruction = false;
    bool inQuotes = false;
    char16_t quote = 0;
    std::u16string tag;
    std::u16string content;
    // Kept as the text grows: blank text must not be searched again at
    // every tag it runs into.
    bool contentHasText = false;

    for (const char16_t unit : text)
    {
        if (unit == u'\n')
            ++scan.line;

        if (!inTag)
        {
            if (unit == u'<')
            {
                if (scan.current)
                {
                    // Blank text (line breaks included) never replaces a value.
                    if (contentHasText)
                    {
                        scan.current->GetValue().SetText(content);
                        content.clear();
                        contentHasText = false;
                    }
                }
                else if (scan.root)
                {
                    Fail(scan, CodeMarkupAfterRoot);
                }
                inTag = true;
                closing = false;
                instruction = false;
                inQuotes = false;
                tag.clear();
            }
            else if (scan.current)
            {
                content += unit;
                contentHasText = contentHasText || !win32::iswspace(unit);
            }
            else if (IsVisible(unit))
            {
                Fail(scan, CodeTextOutsideElement);
            }
            continue;
        }

        if (instruction)
        {
            if (unit == u'>')
                inTag = false;
            continue;
        }
        if (inQuotes)
        {
            if (unit == quote)
                inQuotes = false;
            tag += unit;
            continue;
        }
        if (tag.empty() && !closing && unit == u'/')
        {
            if (!scan.current)
                Fail(scan, CodeCloseWithoutElement);
            closing = true;
            continue;
        }
        if (tag.empty() && !closing && unit == u'?')
        {
            instruction = true;
            continue;
        }
        if (unit == u'>')
        {
            if (tag.empty())
                Fail(scan, CodeEmptyTag);
            if (closing)
            {
                if (OrvaneEngine::TrimRightCopy(OrvaneEngine::WideToNarrow(tag)) != scan.current->GetName())
                    Fail(scan, CodeCloseMismatch);
                Leave(scan);
            }
            else
            {
                ParseOpeningTag(scan, tag);
                content.clear();
                contentHasText = false;
            }
            tag.clear();
            inTag = false;
            closing = false;
            continue;
        }
        if (IsQuote(unit) && !tag.empty())
        {
            inQuotes = true;
            quote = unit;
            tag += unit;
            continue;
        }
        if (IsVisible(unit) || !tag.empty())
            tag += unit;
    }

    if (inTag)
        Fail(scan, CodeEndInsideTag);
    if (!scan.root)
        Fail(scan, CodeNoElement);
}

} // namespace

XMLParser::XMLParser(OrvaneEngine::Engine* engine) : XMLParser(engine->fileManager.get())
{
}

XMLParser::XMLParser(OrvaneEngine::FileManager* files) : fileManager(files)
{
}

XMLParser::~XMLParser() = default;

void XMLParser::ParseFile(XMLNode*& root, const std::string& path)
{
    Parse(root, path);
}

void XMLParser::Parse(XMLNode*& root, const std::string& path)
{
    std::u16string text;
    {
        std::unique_ptr<OrvaneEngine::FileTextual> reader =
            fileManager->OpenTextual(path, false, OrvaneEngine::FileTextual::EncodingAnsi);
        reader->ReadAllText(text, false);
    }
    Scan scan{root, root, root, 0, 1};
    ScanText(scan, text);
}

} // namespace GameTools
