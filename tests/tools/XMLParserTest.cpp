#include "content/FuzzSeeds.h"
#include "content/ResourceListWriter.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace GameTools
{
namespace
{

using corvellan::content::ResourceElement;
using corvellan::content::ResourceListEncoding;
using corvellan::content::ResourceListWriter;
using corvellan::test::TempFolder;

// The tree in one line: name[attr=value,...]{value}(children).
std::string Dump(XMLNode& node)
{
    std::string out = node.GetName();
    if (!node.GetAttributes().empty())
    {
        out += "[";
        for (const auto& attribute : node.GetAttributes())
            out += attribute->name + "=" + attribute->value.GetText() + ";";
        out += "]";
    }
    if (!node.GetValue().GetText().empty())
        out += "{" + node.GetValue().GetText() + "}";
    if (!node.GetChildren().empty())
    {
        out += "(";
        for (XMLNode* child : node.GetChildren())
            out += Dump(*child) + " ";
        out += ")";
    }
    return out;
}

struct Outcome
{
    std::string tree;  // the dump, when parsed
    std::string error; // the FileError text, when not
    bool rootNulled = false;
};

class XMLParserTest : public ::testing::Test
{
protected:
    // Parses text (UTF-8) written in the encoding; with passRoot the parser
    // gets a fresh nameless node, as the data keeper gives it.
    Outcome Parse(const std::string& text, bool passRoot,
                  ResourceListEncoding encoding = ResourceListEncoding::Utf8)
    {
        EXPECT_TRUE(ResourceListWriter::WriteTextTo(folder.Join("list.xml"), text, encoding));
        return ParseFile("list.xml", passRoot);
    }

    Outcome ParseFile(const std::string& name, bool passRoot)
    {
        XMLNode* root = passRoot ? new XMLNode() : nullptr;
        XMLParser parser(&files);
        Outcome outcome;
        try
        {
            parser.ParseFile(root, name);
        }
        catch (const OrvaneEngine::FileError& error)
        {
            outcome.error = error.GetText();
            outcome.rootNulled = root == nullptr;
        }
        if (root)
            outcome.tree = Dump(*root);
        delete root;
        return outcome;
    }

    static std::string Nested(int levels)
    {
        std::string text;
        for (int level = 0; level < levels; ++level)
            text += "<n>";
        return text;
    }

    TempFolder folder;
    OrvaneEngine::MessageManager log{"test", false, false, "", ""};
    OrvaneEngine::FileManager files{&log, folder.Path(), ""};
};

TEST_F(XMLParserTest, EachSyntaxErrorReportsItsCodeAndLineAndDeletesTheTree)
{
    const struct
    {
        std::string text;
        int line;
        int code;
        // The code with a node passed in; -1 when the text then parses.
        int passedCode;
    } cases[] = {
        {"</a>", 1, 0, 2},
        {"<>", 1, 1, 1},
        {"<a></b>", 1, 2, 2},
        {"<a>\r\n\r\n</b>", 3, 2, 2},
        {"<a ='1'/>", 1, 4, 4},
        {"<a / b=\"1\">", 1, 5, 5},
        {"<a b/>", 1, 6, 6},
        {"<a\r\nb/>", 2, 6, 6},
        {"<a b=\"1\" b='2'/>", 1, 7, 7},
        {"<a b=1/>", 1, 8, 8},
        {"<a b>", 1, 10, 10},
        {"<a b=>", 1, 11, 11},
        {"<a/>\r\n<b/>", 2, 12, -1},
        {"x<a/>", 1, 13, -1},
        {"<a", 1, 14, 14},
        {"<a><?pi", 1, 14, 14},
        {"", 1, 15, -1},
        {Nested(257), 1, 16, 16},
    };
    for (const auto& c : cases)
    {
        const std::string expected =
            "XML format error at line " + std::to_string(c.line) + ": code " + std::to_string(c.code);
        const Outcome alone = Parse(c.text, false);
        EXPECT_EQ(alone.error, expected) << c.text;
        EXPECT_EQ(alone.tree, "") << c.text;

        // A node passed in takes several top-level elements and text, and
        // is deleted with the rest on an error.
        const Outcome passed = Parse(c.text, true);
        if (c.passedCode < 0)
        {
            EXPECT_EQ(passed.error, "") << c.text;
            continue;
        }
        EXPECT_EQ(passed.error,
                  "XML format error at line " + std::to_string(c.line) + ": code " + std::to_string(c.passedCode))
            << c.text;
        EXPECT_TRUE(passed.rootNulled) << c.text;
    }
    EXPECT_TRUE(corvellan::test::WriteFileBytes(folder.Join("empty.xml"), ""));
    EXPECT_EQ(ParseFile("empty.xml", false).error, "XML format error at line 1: code 15");
}

TEST_F(XMLParserTest, NestingStopsAtItsLimitWhateverTheDepthOfTheDocument)
{
    EXPECT_EQ(Parse(Nested(256), false).error, "");
    EXPECT_EQ(Parse(Nested(256), true).error, "");
    EXPECT_EQ(Parse(Nested(256) + "<n/>", false).error, "XML format error at line 1: code 16");
    const Outcome hostile = Parse(Nested(1000000), true);
    EXPECT_EQ(hostile.error, "XML format error at line 1: code 16");
    EXPECT_TRUE(hostile.rootNulled);
}

TEST_F(XMLParserTest, MarkupAndTextBuildTheTree)
{
    const struct
    {
        std::string text;
        bool passRoot;
        std::string tree;
    } cases[] = {
        {"<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<!-- resources -->\r\n"
         "<root b=\"1 > 0\" a='two words'>\r\n  <!-- inside -->\r\n</root>\r\n",
         false, "root[b=1 > 0;a=two words;]"},
        {"<!--x>", false, "!--x"},
        {"<!-- a / \"b\" -->", true, ""},
        {"<a x=\"1\" />\r\n<b/>", true, "(a[x=1;] b )"},
        {"<a x=\"1\"/><b/>", true, "(a[x=1;] b )"},
        {"<a>first<b/>second<c/>  \r\n  </a>", false, "a{second}(b c )"},
        {"<a>\r\n  <b>t</b>\r\n</a>", false, "a(b{t} )"},
        {"<a>  x y \r\n</a>", false, "a{  x y \r\n}"},
        {"<a/>text<b>in b</b>", true, "{text}(a b{in b} )"},
        {"<a><b>", false, "a(b )"},
        {"<a><b ></b  ></a>", false, "a(b )"},
        {"<a v=\"it's\" w='say \"hi\"'/>", false, "a[v=it's;w=say \"hi\";]"},
    };
    for (const auto& c : cases)
    {
        const Outcome outcome = Parse(c.text, c.passRoot);
        EXPECT_EQ(outcome.error, "") << c.text;
        EXPECT_EQ(outcome.tree, c.tree) << c.text;
    }
}

TEST_F(XMLParserTest, EveryEncodingGivesTheSameTreeAndLines)
{
    ResourceElement list{"resources", {{"name", "caf\xC3\xA9"}}, "", {}};
    list.children.push_back({"model", {{"file", "a.mlf"}, {"name", "\xE2\x82\xAC"}}, "", {}});
    list.children.push_back({"shader", {}, "text", {}});
    const std::string text = ResourceListWriter::Format(list);
    const std::string lfOnly = "<a>\n<b/>\n</c>";
    for (const auto encoding :
         {ResourceListEncoding::Utf8, ResourceListEncoding::Utf16LittleEndian, ResourceListEncoding::Utf16BigEndian})
    {
        const Outcome outcome = Parse(text, false, encoding);
        EXPECT_EQ(outcome.error, "");
        EXPECT_EQ(outcome.tree, "resources[name=caf\xE9;](model[file=a.mlf;name=\x80;] shader{text} )");
        EXPECT_EQ(Parse("<a>\r\n<b/>\r\n</c>", false, encoding).error, "XML format error at line 3: code 2");
        EXPECT_EQ(Parse(lfOnly, false, encoding).error, "XML format error at line 3: code 2");
    }
}

TEST_F(XMLParserTest, AFileThatCannotBeOpenedLeavesTheRootToTheCaller)
{
    XMLNode* root = new XMLNode();
    XMLParser parser(&files);
    EXPECT_THROW(parser.Parse(root, "missing.xml"), OrvaneEngine::FileError);
    EXPECT_NE(root, nullptr);
    delete root;
}

TEST_F(XMLParserTest, SeedListsParseAlikeAndEveryErrorSeedFails)
{
    ASSERT_TRUE(corvellan::content::WriteXmlResourceListSeeds(folder.Join("seeds")));
    const Outcome utf8 = ParseFile("seeds\\xml_resource_list\\list_utf8.xml", false);
    EXPECT_EQ(utf8.error, "");
    EXPECT_NE(utf8.tree.find("loop[counter=k;start=0;count=3;](model[name=tree_%k2%;"), std::string::npos);
    EXPECT_EQ(ParseFile("seeds\\xml_resource_list\\list_utf16le.xml", false).tree, utf8.tree);
    int errors = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Join("seeds/xml_resource_list")))
    {
        const std::string name = entry.path().filename().string();
        if (name.rfind("error_", 0) != 0)
            continue;
        ++errors;
        EXPECT_EQ(ParseFile("seeds\\xml_resource_list\\" + name, false).error.rfind("XML format error", 0), 0u)
            << name;
    }
    EXPECT_EQ(errors, 15);
}

} // namespace
} // namespace GameTools
