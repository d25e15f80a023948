#pragma once

#include "tools/XMLAttribute.h"
#include "tools/XMLValue.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace GameTools
{

// One element of a parsed document. A node owns its attributes and its
// children; deleting it deletes the whole tree under it, however deep,
// without recursion.
class XMLNode
{
public:
    // A nameless node without parent.
    XMLNode();
    // Becomes the last child of parent when one is given.
    XMLNode(const std::string& name, XMLNode* parent);
    // Leaves its parent first, when it still has one.
    virtual ~XMLNode();
    XMLNode(const XMLNode&) = delete;
    XMLNode& operator=(const XMLNode&) = delete;

    const std::string& GetName() const { return name; }
    XMLNode* GetParent() const { return parent; }

    // Names compare exactly.
    XMLAttribute* FindAttribute(const std::string& attributeName) const;
    XMLValue* GetAttributeValue(const std::string& attributeName) const;
    bool HasAttribute(const std::string& attributeName) const;
    // Replaces the value of an existing attribute, else appends one.
    void SetAttribute(const std::string& attributeName, const std::u16string& text);
    // In document order.
    const std::vector<std::unique_ptr<XMLAttribute>>& GetAttributes() const { return attributes; }

    // Moves child here from a former parent, as the last child.
    void AddChildNode(XMLNode* child);
    // Takes child out and deletes it, when this node is its parent.
    void RemoveChild(XMLNode* child);
    // In document order.
    const std::vector<XMLNode*>& GetChildren() const { return children; }
    const std::multimap<std::string, XMLNode*>& GetChildrenByName() const { return childrenByName; }

    XMLValue& GetValue() { return value; }

private:
    // Unlinks child from the vector and the multimap; it keeps its parent link.
    void Unlink(XMLNode* child);

    std::string name;
    XMLValue value;
    std::vector<std::unique_ptr<XMLAttribute>> attributes;
    std::map<std::string, XMLAttribute*> attributesByName;
    std::vector<XMLNode*> children;
    std::multimap<std::string, XMLNode*> childrenByName;
    XMLNode* parent = nullptr;
};

} // namespace GameTools
