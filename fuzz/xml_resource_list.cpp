// The XML reader on hostile bytes: the input, as a list file on disk, is
// parsed into a tree of its own and into a nameless node passed in, as the
// data keeper parses it. Every accepted tree is walked, and every getter is
// called on every value and attribute. A syntax error must leave the root
// pointer null, with the partial tree deleted.
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"
#include "tools/XMLValue.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace
{

using namespace OrvaneEngine;

struct Workspace
{
    Workspace()
    {
        std::string pattern = std::filesystem::temp_directory_path().string() + "/fuzz-xml-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        root = pattern;
        log = std::make_unique<MessageManager>("fuzz", false, false, "", "");
        files = std::make_unique<FileManager>(log.get(), root, "Data");
    }
    ~Workspace()
    {
        files.reset();
        log.reset();
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    std::string root;
    std::unique_ptr<MessageManager> log;
    std::unique_ptr<FileManager> files;
};

void UseValue(GameTools::XMLValue& value)
{
    value.GetInt();
    value.GetFloat();
    value.GetBool();
    value.GetIntPair();
    value.GetText();
    // Once more on the narrow text.
    value.GetInt();
    value.GetFloat();
    value.GetBool();
    value.GetIntPair();
}

// Without recursion: the walk must not depend on the nesting limit.
void Walk(GameTools::XMLNode& root)
{
    std::vector<GameTools::XMLNode*> pending{&root};
    while (!pending.empty())
    {
        GameTools::XMLNode* node = pending.back();
        pending.pop_back();
        UseValue(node->GetValue());
        for (const auto& attribute : node->GetAttributes())
        {
            if (node->FindAttribute(attribute->name) != attribute.get())
                std::abort();
            UseValue(attribute->value);
        }
        if (node->GetChildren().size() != node->GetChildrenByName().size())
            std::abort();
        for (GameTools::XMLNode* child : node->GetChildren())
        {
            if (child->GetParent() != node)
                std::abort();
            pending.push_back(child);
        }
    }
}

void ParseAndWalk(Workspace& workspace, GameTools::XMLNode* root)
{
    GameTools::XMLParser parser(workspace.files.get());
    try
    {
        parser.ParseFile(root, "list.xml");
    }
    catch (const Error&)
    {
        if (root)
            std::abort();
        return;
    }
    if (!root)
        std::abort();
    Walk(*root);
    delete root;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Workspace workspace;
    {
        std::ofstream out(workspace.root + "/list.xml", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    ParseAndWalk(workspace, nullptr);
    ParseAndWalk(workspace, new GameTools::XMLNode());
    return 0;
}
