// The XML reader on hostile bytes: the input, as a list file on disk, is
// parsed into a tree of its own and into a nameless node passed in, as the
// data keeper parses it. Every accepted tree is walked, and every getter is
// called on every value and attribute; every attribute text goes through the
// keeper's counter substitution under two counters. A syntax error must leave the root
// pointer null, with the partial tree deleted.
#include "engine/core/Error.h"
#include "framework/DataKeeper.h"
#include "tests/support/FuzzWorkspace.h"
#include "tools/XMLNode.h"
#include "tools/XMLParser.h"
#include "tools/XMLValue.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace
{

using namespace OrvaneEngine;
using GameFramework::DataKeeper;

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
            // The keeper substitutes its loop counters in these texts.
            // A piece is at least three characters and becomes at most
            // WidestNumber digits.
            static const DataKeeper::Counters counters{{"i", 7}, {"k", 4294967295u}};
            const std::string& text = attribute->value.GetText();
            if (DataKeeper::ResolveFileName(text, counters).size() > text.size() * DataKeeper::WidestNumber)
                std::abort();
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

void ParseAndWalk(corvellan::test::FuzzWorkspace& workspace, GameTools::XMLNode* root)
{
    GameTools::XMLParser parser(&workspace.files);
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
    static corvellan::test::FuzzWorkspace workspace;
    workspace.Put("list.xml", data, size);
    ParseAndWalk(workspace, nullptr);
    ParseAndWalk(workspace, new GameTools::XMLNode());
    return 0;
}
