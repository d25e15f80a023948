#include "tools/XMLNode.h"

#include <algorithm>

namespace GameTools
{

XMLNode::XMLNode() = default;

XMLNode::XMLNode(const std::string& nodeName, XMLNode* parentNode) : name(nodeName)
{
    if (parentNode)
        parentNode->AddChildNode(this);
}

XMLNode::~XMLNode()
{
    if (parent)
        parent->Unlink(this);
    // A hostile document can nest a million levels: the tree is taken apart
    // level by level here, and each node is deleted once it has no children
    // left, so no destructor ever recurses.
    std::vector<XMLNode*> pending = std::move(children);
    children.clear();
    childrenByName.clear();
    while (!pending.empty())
    {
        XMLNode* node = pending.back();
        pending.pop_back();
        pending.insert(pending.end(), node->children.begin(), node->children.end());
        node->children.clear();
        node->childrenByName.clear();
        node->parent = nullptr;
        delete node;
    }
}

XMLAttribute* XMLNode::FindAttribute(const std::string& attributeName) const
{
    const auto found = attributesByName.find(attributeName);
    return found == attributesByName.end() ? nullptr : found->second;
}

XMLValue* XMLNode::GetAttributeValue(const std::string& attributeName) const
{
    XMLAttribute* attribute = FindAttribute(attributeName);
    return attribute ? &attribute->value : nullptr;
}

bool XMLNode::HasAttribute(const std::string& attributeName) const
{
    return attributesByName.count(attributeName) != 0;
}

void XMLNode::SetAttribute(const std::string& attributeName, const std::u16string& text)
{
    if (XMLAttribute* attribute = FindAttribute(attributeName))
    {
        attribute->value.SetText(text);
        return;
    }
    auto attribute = std::make_unique<XMLAttribute>();
    attribute->name = attributeName;
    attribute->value.SetText(text);
    attributesByName.emplace(attributeName, attribute.get());
    attributes.push_back(std::move(attribute));
}

void XMLNode::AddChildNode(XMLNode* child)
{
    if (!child || child == this)
        return;
    // A node cannot move below itself: that would make a ring nobody owns.
    if (!child->children.empty())
    {
        for (const XMLNode* above = parent; above; above = above->parent)
        {
            if (above == child)
                return;
        }
    }
    if (child->parent)
        child->parent->Unlink(child);
    children.push_back(child);
    childrenByName.emplace(child->name, child);
    child->parent = this;
}

void XMLNode::RemoveChild(XMLNode* child)
{
    if (!child || child->parent != this)
        return;
    Unlink(child);
    child->parent = nullptr;
    delete child;
}

void XMLNode::Unlink(XMLNode* child)
{
    const auto inVector = std::find(children.begin(), children.end(), child);
    if (inVector != children.end())
        children.erase(inVector);
    const auto [first, last] = childrenByName.equal_range(child->name);
    for (auto entry = first; entry != last; ++entry)
    {
        if (entry->second == child)
        {
            childrenByName.erase(entry);
            break;
        }
    }
}

} // namespace GameTools
