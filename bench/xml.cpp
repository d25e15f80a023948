// Resource-list parsing: XMLParser::Parse over a generated list of 1,000
// elements (models, shaders and groups of them under loops, with comments and
// a declaration), against FileTextual::ReadAllText of the same file, which is
// the reading and decoding the parser starts with. The difference is the
// scanner and the tree: per element it should stay a few times the floor's
// cost per element; a growing gap points at re-scanning text or copying
// nodes. UTF-16LE shows the same with the other decoder.
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

namespace
{

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
        bytes = static_cast<std::int64_t>(ResourceListWriter::Encode(text, encoding).size());
    }

    corvellan::test::TempFolder folder{"corvellan-bench"};
    OrvaneEngine::MessageManager log{"Bench", false, false, "", ""};
    OrvaneEngine::FileManager files{&log, folder.Path(), "Data"};
    const std::string path = "data\\list.xml";
    std::int64_t bytes = 0;
    bool ready = false;
};

void Report(benchmark::State& state, const ListFolder& list)
{
    state.SetBytesProcessed(state.iterations() * list.bytes);
    state.counters["per_element"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                       benchmark::Counter::kIsIterationInvariantRate |
                                                           benchmark::Counter::kInvert);
}

void ParseList(benchmark::State& state, ResourceListEncoding encoding)
{
    ListFolder list(state.range(0), encoding);
    if (!list.ready)
    {
        state.SkipWithError("the list could not be written");
        return;
    }
    GameTools::XMLParser parser(&list.files);
    for (auto _ : state)
    {
        GameTools::XMLNode* root = nullptr;
        parser.Parse(root, list.path);
        benchmark::DoNotOptimize(root);
        delete root;
    }
    Report(state, list);
}

void ReadAllText(benchmark::State& state, ResourceListEncoding encoding)
{
    ListFolder list(state.range(0), encoding);
    if (!list.ready)
    {
        state.SkipWithError("the list could not be written");
        return;
    }
    for (auto _ : state)
    {
        std::u16string text;
        list.files.OpenTextual(list.path, false, OrvaneEngine::FileTextual::EncodingAnsi)->ReadAllText(text, false);
        benchmark::DoNotOptimize(text.data());
    }
    Report(state, list);
}

[[maybe_unused]] const bool registered = [] {
    const struct
    {
        const char* suffix;
        ResourceListEncoding encoding;
        std::int64_t elements;
    } cases[] = {
        {"/smoke", ResourceListEncoding::Utf8, 100},
        {"/utf8", ResourceListEncoding::Utf8, 1000},
        {"/utf16le", ResourceListEncoding::Utf16LittleEndian, 1000},
    };
    for (const auto& c : cases)
    {
        const std::string suffix = c.suffix;
        const ResourceListEncoding encoding = c.encoding;
        benchmark::RegisterBenchmark(("Xml/Parse" + suffix).c_str(),
                                     [encoding](benchmark::State& state) { ParseList(state, encoding); })
            ->Arg(c.elements)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("Xml/ReadAllText" + suffix).c_str(),
                                     [encoding](benchmark::State& state) { ReadAllText(state, encoding); })
            ->Arg(c.elements)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

} // namespace
