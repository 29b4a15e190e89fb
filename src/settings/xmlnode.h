// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class TqomXMLNode2;
class TqomXMLParser2;

// One attribute of an element, in the order it was written.
struct TqomXMLAttribute2
{
    std::string Name;
    std::string AttrValue;
};

// The children of an element in document order. The list owns its items: removing or
// clearing them frees each one with its whole subtree.
class TqomXMLNodeList2
{
public:
    [[nodiscard]] std::size_t Count() const { return m_items.size(); }
    [[nodiscard]] bool empty() const { return m_items.empty(); }
    [[nodiscard]] TqomXMLNode2 &operator[](std::size_t index) const { return *m_items.at(index); }

    // Appends an item and hands back a plain pointer to it; the list keeps ownership.
    TqomXMLNode2 *Add(std::unique_ptr<TqomXMLNode2> node);
    void Clear() { m_items.clear(); }

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<std::unique_ptr<TqomXMLNode2>> m_items;
};

// One element of a document: its name, its text, its attributes and its children. Texts
// are byte strings (Windows-1252 inside the program); nothing is transcoded here.
// `ParentNode` and `Document` are plain pointers that never own: the parent's `Nodes`
// owns an element, and the document outlives everything in it.
class TqomXMLNode2
{
public:
    TqomXMLNode2() = default;
    virtual ~TqomXMLNode2() = default;
    TqomXMLNode2(const TqomXMLNode2 &) = delete;
    TqomXMLNode2 &operator=(const TqomXMLNode2 &) = delete;

    // Stores the name whole; a name holding ':' also sets the prefix before its first ':'.
    void SetName(std::string_view name);
    // Stores the text; IsCData tells from now on whether it holds '<' or '>'.
    void SetText(std::string_view text);

    // Appends `child` (which must not be null), makes this element its parent and this
    // element's document its document (this element itself when it is the document).
    // Returns the child, now owned by Nodes.
    TqomXMLNode2 *AddNode(std::unique_ptr<TqomXMLNode2> child);

    // The first child named exactly `name` (case-sensitive, no trimming), in document
    // order; with `deep`, a child that does not match has its own subtree searched before
    // the walk goes on. Null when there is none.
    [[nodiscard]] TqomXMLNode2 *FindNode(std::string_view name, bool deep) const;

    // The value of the first attribute named exactly `name`; empty when there is none.
    [[nodiscard]] std::string GetAttribute(std::string_view name) const;
    void AddAttribute(std::string_view name, std::string_view value);

    [[nodiscard]] const std::string &Name() const { return m_name; }
    [[nodiscard]] const std::string &NamespacePrefix() const { return m_namespacePrefix; }
    [[nodiscard]] const std::string &Text() const { return m_text; }
    [[nodiscard]] bool IsCData() const { return m_isCData; }
    [[nodiscard]] const TqomXMLNodeList2 &Nodes() const { return m_nodes; }
    [[nodiscard]] const std::vector<TqomXMLAttribute2> &Attributes() const { return m_attributes; }
    [[nodiscard]] TqomXMLNode2 *ParentNode() const { return m_parentNode; }
    [[nodiscard]] TqomXMLParser2 *Document() const { return m_document; }

protected:
    // Empties name, text, attributes and children (the document does this before a load).
    void clearElement();

private:
    std::string m_name;
    std::string m_namespacePrefix;
    std::string m_text;
    bool m_isCData = false;
    TqomXMLNodeList2 m_nodes;
    std::vector<TqomXMLAttribute2> m_attributes;
    TqomXMLNode2 *m_parentNode = nullptr;
    TqomXMLParser2 *m_document = nullptr;
};

} // namespace orvane
