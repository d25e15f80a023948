#include "tools/XMLNode.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GameTools
{
namespace
{

std::vector<std::string> AttributeNames(const XMLNode& node)
{
    std::vector<std::string> names;
    for (const auto& attribute : node.GetAttributes())
        names.push_back(attribute->name);
    return names;
}

std::vector<const XMLNode*> Named(const XMLNode& node, const std::string& name)
{
    std::vector<const XMLNode*> found;
    const auto [first, last] = node.GetChildrenByName().equal_range(name);
    for (auto entry = first; entry != last; ++entry)
        found.push_back(entry->second);
    return found;
}

TEST(XMLNodeTest, AttributesKeepDocumentOrderAndAreReplacedInPlace)
{
    XMLNode node("model", nullptr);
    node.SetAttribute("file", u"a.mlf");
    node.SetAttribute("name", u"tree");
    node.SetAttribute("file", u"b.mlf");
    EXPECT_EQ(AttributeNames(node), (std::vector<std::string>{"file", "name"}));
    ASSERT_NE(node.GetAttributeValue("file"), nullptr);
    EXPECT_EQ(node.GetAttributeValue("file")->GetText(), "b.mlf");
    EXPECT_EQ(node.FindAttribute("name"), node.GetAttributes()[1].get());
    EXPECT_FALSE(node.HasAttribute("File"));
    EXPECT_EQ(node.GetAttributeValue("File"), nullptr);
}

TEST(XMLNodeTest, ChildrenMoveBetweenParentsAndLeaveThemOnDeletion)
{
    XMLNode first("first", nullptr);
    XMLNode second("second", nullptr);
    auto* a = new XMLNode("item", &first);
    auto* b = new XMLNode("item", &first);
    auto* c = new XMLNode("other", &first);
    EXPECT_EQ(first.GetChildren(), (std::vector<XMLNode*>{a, b, c}));
    EXPECT_EQ(Named(first, "item").size(), 2u);

    second.AddChildNode(a);
    EXPECT_EQ(a->GetParent(), &second);
    EXPECT_EQ(first.GetChildren(), (std::vector<XMLNode*>{b, c}));
    EXPECT_EQ(Named(first, "item"), (std::vector<const XMLNode*>{b}));
    EXPECT_EQ(Named(second, "item"), (std::vector<const XMLNode*>{a}));

    // Deleting a child takes it out of its parent.
    delete b;
    EXPECT_EQ(first.GetChildren(), (std::vector<XMLNode*>{c}));
    EXPECT_TRUE(Named(first, "item").empty());

    // RemoveChild deletes only its own children.
    first.RemoveChild(a);
    EXPECT_EQ(second.GetChildren(), (std::vector<XMLNode*>{a}));
    second.RemoveChild(a);
    EXPECT_TRUE(second.GetChildren().empty());
    EXPECT_TRUE(second.GetChildrenByName().empty());

    // A node never moves below itself.
    auto* inner = new XMLNode("inner", c);
    inner->AddChildNode(c);
    inner->AddChildNode(inner);
    EXPECT_EQ(c->GetParent(), &first);
    EXPECT_EQ(inner->GetParent(), c);
}

TEST(XMLNodeTest, DeletingAVeryDeepTreeDoesNotRecurse)
{
    auto* root = new XMLNode();
    XMLNode* node = root;
    for (int level = 0; level < 300000; ++level)
        node = new XMLNode("n", node);
    delete root;
}

} // namespace
} // namespace GameTools
