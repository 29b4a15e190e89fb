// SPDX-License-Identifier: MIT
#include "settings/xmlnode.h"

#include "settings/xmlparser.h"

#include <algorithm>

namespace orvane {

TqomXMLNode2 *TqomXMLNodeList2::Add(std::unique_ptr<TqomXMLNode2> node)
{
    m_items.push_back(std::move(node));
    return m_items.back().get();
}

void TqomXMLNode2::SetName(std::string_view name)
{
    m_name = name;
    const auto colon = name.find(':');
    m_namespacePrefix = colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon));
}

void TqomXMLNode2::SetText(std::string_view text)
{
    m_text = text;
    m_isCData = text.find_first_of("<>") != std::string_view::npos;
}

TqomXMLNode2 *TqomXMLNode2::AddNode(std::unique_ptr<TqomXMLNode2> child)
{
    child->m_parentNode = this;
    auto *asDocument = dynamic_cast<TqomXMLParser2 *>(this);
    child->m_document = asDocument ? asDocument : m_document;
    return m_nodes.Add(std::move(child));
}

TqomXMLNode2 *TqomXMLNode2::FindNode(std::string_view name, bool deep) const
{
    for (const auto &child : m_nodes) {
        if (child->m_name == name) {
            return child.get();
        }
        if (deep) {
            if (auto *found = child->FindNode(name, true)) {
                return found;
            }
        }
    }
    return nullptr;
}

std::string TqomXMLNode2::GetAttribute(std::string_view name) const
{
    const auto it = std::find_if(m_attributes.begin(), m_attributes.end(),
                                 [name](const TqomXMLAttribute2 &attribute) { return attribute.Name == name; });
    return it == m_attributes.end() ? std::string() : it->AttrValue;
}

void TqomXMLNode2::AddAttribute(std::string_view name, std::string_view value)
{
    m_attributes.push_back({std::string(name), std::string(value)});
}

void TqomXMLNode2::clearElement()
{
    m_attributes.clear();
    m_nodes.Clear();
    m_name.clear();
    m_namespacePrefix.clear();
    m_text.clear();
    m_isCData = false;
}

} // namespace orvane
