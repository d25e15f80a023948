// Resource-list parsing against its decoding floor, in paired rounds:
// XMLParser::Parse of a generated list of 1,000 elements (models, shaders
// and groups of them under loops, with comments and a declaration) against
// FileTextual::ReadAllText of the same file, which is the reading and
// decoding the parser starts with. The ratio is the scanner's and the tree's
// cost over that floor; a ratio that grows with the list points at text
// scanned again or nodes copied. UTF-16LE shows the same over the other
// decoder. Both sides count the elements: the parser's side in its tree, the
// floor's side as element openings in the decoded text.
#include "bench/support/PairedRounds.h"
#include "content/ResourceListWriter.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "tests/support/TempFolder.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace
{

using corvellan::bench::PairedRounds;
using corvellan::content::ResourceElement;
using corvellan::content::ResourceListEncoding;
using corvellan::content::ResourceListWriter;

// The list's elements: groups of four models and a shader, each group inside
// a loop, until `elements` elements are written.
ResourceElement MakeList(std::int64_t elements)
{
    ResourceElement root{"resources", {}, "", {}};
    std::int64_t written = 1;
    for (std::int64_t group = 0; written < elements; ++group)
    {
        const std::string number = std::to_string(group);
        ResourceElement loop{"loop", {{"counter", "i"}, {"start", "0"}, {"count", "4"}}, "", {}};
        ++written;
        for (int model = 0; model < 4 && written < elements; ++model, ++written)
            loop.children.push_back({"model",
                                     {{"name", "group" + number + "_part%i2%"},
                                      {"file_name", "models\\group" + number + "_part%i2%.mlf"},
                                      {"color_verticies", "1"},
                                      {"animation_speed", "12.5"}},
                                     "",
                                     {}});
        if (written < elements)
        {
            loop.children.push_back({"shader",
                                     {{"name", "skin" + number},
                                      {"diffuse_file_name", "skin" + number + ".jpg"},
                                      {"opacity_file_name", "32bit"},
                                      {"animation_type", "net"},
                                      {"net_size", "4 2"}},
                                     "  a value the keeper never reads  ",
                                     {}});
            ++written;
        }
        root.children.push_back(loop);
    }
    return root;
}

// A data folder holding data\list.xml, and the file manager over it.
class ListFolder
{
public:
    ListFolder(std::int64_t elements, ResourceListEncoding encoding)
    {
        const std::string text = "<?xml version=\"1.0\"?>\r\n<!-- generated for the benchmark -->\r\n" +
                                 ResourceListWriter::Format(MakeList(elements));
        ready = ResourceListWriter::WriteTextTo(folder.Join("data/list.xml"), text, encoding);
    }

    corvellan::test::TempFolder folder{"corvellan-bench"};
    OrvaneEngine::MessageManager log{"Bench", false, false, "", ""};
    OrvaneEngine::FileManager files{&log, folder.Path(), "Data"};
    const std::string path = "data\\list.xml";
    bool ready = false;
};

// Elements of the tree, walked without recursion.
std::int64_t CountNodes(const GameTools::XMLNode& root)
{
    std::int64_t count = 0;
    std::vector<const GameTools::XMLNode*> pending{&root};
    while (!pending.empty())
    {
        const GameTools::XMLNode* node = pending.back();
        pending.pop_back();
        ++count;
        for (const GameTools::XMLNode* child : node->GetChildren())
            pending.push_back(child);
    }
    return count;
}

// '<' before a letter: the comment, the declaration and the closing tags
// open with '!', '?' and '/'.
std::int64_t CountOpenings(const std::u16string& text)
{
    std::int64_t count = 0;
    for (std::size_t at = 0; at + 1 < text.size(); ++at)
    {
        const char16_t next = text[at + 1];
        count += text[at] == u'<' && ((next >= u'a' && next <= u'z') || (next >= u'A' && next <= u'Z')) ? 1 : 0;
    }
    return count;
}

void ParseAgainstReadAllText(benchmark::State& state, ResourceListEncoding encoding)
{
    ListFolder list(state.range(0), encoding);
    if (!list.ready)
    {
        state.SkipWithError("the list could not be written");
        return;
    }
    GameTools::XMLParser parser(&list.files);
    PairedRounds::Run(
        state,
        [&] {
            GameTools::XMLNode* root = nullptr;
            parser.Parse(root, list.path);
            const std::int64_t elements = CountNodes(*root);
            delete root;
            return elements;
        },
        [&] {
            std::u16string text;
            list.files.OpenTextual(list.path, false, OrvaneEngine::FileTextual::EncodingAnsi)
                ->ReadAllText(text, false);
            return CountOpenings(text);
        });
    state.counters["elements"] = static_cast<double>(state.range(0));
}

[[maybe_unused]] const bool registered = [] {
    const struct
    {
        const char* name;
        ResourceListEncoding encoding;
    } encodings[] = {
        {"Utf8", ResourceListEncoding::Utf8},
        {"Utf16LittleEndian", ResourceListEncoding::Utf16LittleEndian},
    };
    for (const auto& entry : encodings)
    {
        const ResourceListEncoding encoding = entry.encoding;
        const std::string name = std::string("Xml/Parse_vs_ReadAllText/") + entry.name;
        const auto run = [encoding](benchmark::State& state) { ParseAgainstReadAllText(state, encoding); };
        benchmark::RegisterBenchmark(name.c_str(), run)->Arg(1000)->Iterations(PairedRounds::FullRounds);
        benchmark::RegisterBenchmark((name + "/smoke").c_str(), run)
            ->Arg(100)
            ->Iterations(PairedRounds::SmokeRounds);
    }
    return true;
}();

} // namespace
