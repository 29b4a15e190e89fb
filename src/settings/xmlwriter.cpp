// SPDX-License-Identifier: MIT
// Writing a document: the declaration, then the elements, into one growing output buffer.
#include "settings/fileio.h"
#include "settings/xmlparser.h"
#include "text/textops.h"

#include <algorithm>

namespace orvane {
namespace {

constexpr std::size_t kBufferStep = 65536;
constexpr std::string_view kLineBreak = "\r\n";

// The five replacements run one after the other over the whole value, '&' after '<' and
// '>': a '<' therefore reaches the file as "&amp;lt;". Files already written depend on it.
std::string attributeValueText(std::string value)
{
    replaceAll(value, "<", "&lt;");
    replaceAll(value, ">", "&gt;");
    replaceAll(value, "&", "&amp;");
    replaceAll(value, "'", "&apos;");
    replaceAll(value, "\"", "&quot;");
    return value;
}

} // namespace

// A CDATA section ends at the first "]]>", so a text holding one is split there into
// consecutive sections ("a]]>b" becomes "<![CDATA[a]]]]><![CDATA[>b]]>"), which the reader
// joins again. A text without "]]>" gives the single section files have always held.
void TqomXMLParser2::emitCData(std::string_view text)
{
    emit("<![CDATA[");
    for (auto end = text.find("]]>"); end != std::string_view::npos; end = text.find("]]>")) {
        emit(text.substr(0, end + 2));
        emit("]]><![CDATA[");
        text.remove_prefix(end + 2);
    }
    emit(text);
    emit("]]>");
}

void TqomXMLParser2::emit(std::string_view piece)
{
    if (m_used + piece.size() > m_output.size()) {
        m_output.resize(m_output.size() + std::max(kBufferStep, piece.size()));
    }
    std::copy(piece.begin(), piece.end(), m_output.begin() + static_cast<std::ptrdiff_t>(m_used));
    m_used += piece.size();
}

std::string TqomXMLParser2::AsXml()
{
    m_indentLevel = 0;
    m_output.assign(kBufferStep, '\0');
    m_used = 0;

    std::string version = m_declaration.GetAttribute("version");
    std::string encoding = m_declaration.GetAttribute("encoding");
    emit("<?xml version=\"");
    emit(version.empty() ? "1.0" : version);
    emit("\" encoding=\"");
    emit(encoding.empty() ? "ISO-8859-1" : encoding);
    emit("\" ?>");
    emit(kLineBreak);
    emitElement(*this);
    return m_output.substr(0, m_used);
}

void TqomXMLParser2::emitElement(const TqomXMLNode2 &element)
{
    const std::string indent(static_cast<std::size_t>(m_indentLevel) * 2, ' ');
    emit(indent);
    emit("<");
    emit(element.Name());
    for (const auto &attribute : element.Attributes()) {
        emit(" ");
        emit(attribute.Name);
        emit("=\"");
        emit(attributeValueText(attribute.AttrValue));
        emit("\"");
    }
    const std::string &text = element.Text();
    if (element.Nodes().empty()) {
        if (text.empty()) {
            emit("/>");
        } else if (element.IsCData()) {
            emit(">");
            emitCData(text);
            emit("</");
            emit(element.Name());
            emit(">");
        } else {
            emit(">");
            emit(text);
            emit("</");
            emit(element.Name());
            emit(">");
        }
        return;
    }
    emit(">");
    if (element.IsCData()) {
        emitCData(text);
    } else {
        emit(text);
    }
    ++m_indentLevel;
    for (const auto &child : element.Nodes()) {
        emit(kLineBreak);
        emitElement(*child);
    }
    emit(kLineBreak);
    emit(indent);
    emit("</");
    emit(element.Name());
    emit(">");
    --m_indentLevel;
}

void TqomXMLParser2::SaveToFile(const std::filesystem::path &path)
{
    replaceFileAtomically(path, AsXml());
}

} // namespace orvane
