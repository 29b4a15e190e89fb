// SPDX-License-Identifier: MIT
// Reading a document. The reader walks SourceText forward from Position with plain
// substring searches; a reading error is thrown as OrvaneError and, below the declaration,
// turned into the LastError report with the elements read up to it kept.
#include "core/orvaneerror.h"
#include "settings/fileio.h"
#include "settings/xmlparser.h"
#include "text/textops.h"

#include <algorithm>
#include <memory>

namespace orvane {
namespace {

constexpr auto npos = std::string_view::npos;

bool startsAt(std::string_view text, std::size_t at, std::string_view what)
{
    return text.substr(at).starts_with(what);
}

} // namespace

void readAttributes(std::string_view text, TqomXMLNode2 &element)
{
    while (!text.empty()) {
        const auto equals = text.find('=');
        if (equals == npos) {
            throw OrvaneError("missing = when parsing attributes");
        }
        if (equals + 1 >= text.size() || (text[equals + 1] != '"' && text[equals + 1] != '\'')) {
            throw OrvaneError("missing value delimiter when parsing attributes");
        }
        const char quote = text[equals + 1];
        const auto closing = text.find(quote, equals + 2);
        if (closing == npos) {
            throw OrvaneError(std::string("Expected closing ") + quote + " when parsing attributes");
        }
        std::string value(text.substr(equals + 2, closing - equals - 2));
        if (value.find('&') != std::string::npos) {
            replaceAll(value, "&lt;", "<");
            replaceAll(value, "&gt;", ">");
            replaceAll(value, "&amp;", "&");
            replaceAll(value, "&apos;", "'");
            replaceAll(value, "&quot;", "\"");
        }
        element.AddAttribute(trimmed(text.substr(0, equals)), value);
        text.remove_prefix(closing + 1);
    }
}

void TqomXMLParser2::LoadFromFile(const std::filesystem::path &path)
{
    LoadFromText(readWholeFile(path));
}

void TqomXMLParser2::LoadFromText(std::string_view text)
{
    m_sourceText.assign(text);
    parse();
}

void TqomXMLParser2::parse()
{
    clearElement();
    m_pos = 0;
    const std::string_view source = m_sourceText;
    const auto lt = source.find('<');
    if (lt != npos && startsAt(source, lt, "<?xml")) {
        const auto end = source.find("?>", lt + 5);
        if (end == npos) {
            m_lastError = "Missing ?> in xml declaration.";
            return;
        }
        m_pos = end + 2;
        // The declaration's attributes: a fault here fails the whole load.
        const auto inner = lt + 6;
        readAttributes(trimmed(inner < end ? source.substr(inner, end - inner) : std::string_view()), m_declaration);
    }
    try {
        readElement(nullptr, 0);
        m_lastError.clear();
    } catch (const OrvaneError &error) {
        m_lastError = errorReport(error.what());
    }
}

std::size_t TqomXMLParser2::find(std::string_view what, std::size_t from, const char *missing) const
{
    const auto at = std::string_view(m_sourceText).find(what, from);
    if (at == npos) {
        throw OrvaneError(missing);
    }
    return at;
}

// Reads one element under `parent`, or into the document itself when `parent` is null.
// Returns false, with Position left on its '<', when the next tag is a closing tag.
bool TqomXMLParser2::readElement(TqomXMLNode2 *parent, int depth)
{
    const std::string_view source = m_sourceText;
    m_pos = find("<", m_pos, "Missing <");
    if (startsAt(source, m_pos, "<!--")) {
        const auto commentEnd = find("-->", m_pos + 4, "Missing comment terminator -->");
        m_pos = find("<", commentEnd + 3, "Missing <");
    }
    const auto gt = find(">", m_pos, "Missing >");
    std::string_view tag = source.substr(m_pos + 1, gt - m_pos - 1);
    if (tag.starts_with('/')) {
        return false;
    }
    if (depth > kMaxDepth) {
        throw OrvaneError("Elements nested too deeply");
    }
    m_pos = gt + 1;
    const bool empty = tag.ends_with('/');
    if (empty) {
        tag = trimmed(tag.substr(0, tag.size() - 1));
    }
    const auto blank = tag.find(' ');
    const std::string_view name = tag.substr(0, blank);
    const std::string_view attributes = blank == npos ? std::string_view() : trimmed(tag.substr(blank + 1));

    TqomXMLNode2 *element = parent ? parent->AddNode(std::make_unique<TqomXMLNode2>()) : this;
    element->SetName(name);
    if (!attributes.empty()) {
        readAttributes(attributes, *element);
    }
    if (!empty) {
        readText(*element);
        while (readElement(element, depth + 1)) { }
        readClosingTag(*element);
    }
    return true;
}

void TqomXMLParser2::readClosingTag(const TqomXMLNode2 &element)
{
    const std::string_view source = m_sourceText;
    m_pos = find("<", m_pos, "Missing <");
    const auto gt = find(">", m_pos, "Missing >");
    const std::string_view tag = source.substr(m_pos + 1, gt - m_pos - 1);
    if (!tag.starts_with('/')) {
        throw OrvaneError("Not a matching end tag" + std::string(tag));
    }
    if (tag.substr(1) != element.Name()) {
        throw OrvaneError("Opening and closing tags don't match " + element.Name() + " " + std::string(tag.substr(1)));
    }
    m_pos = gt + 1;
}

// The text in front of an element's first child or closing tag, or its CDATA section.
void TqomXMLParser2::readText(TqomXMLNode2 &element)
{
    const std::string_view source = m_sourceText;
    const auto lt = find("<", m_pos, "Expected < when parsing text");
    if (!startsAt(source, lt, "<![CDATA[")) {
        element.SetText(trimmed(source.substr(m_pos, lt - m_pos)));
        m_pos = lt;
        return;
    }
    // Sections that follow each other directly are one text: the writer splits a text
    // holding "]]>" that way.
    std::string text;
    std::size_t start = lt;
    do {
        const auto end = find("]]>", start + 9, "Expected ]]> when parsing CDATA section");
        text.append(source.substr(start + 9, end - start - 9));
        m_pos = end + 3;
        start = m_pos;
    } while (startsAt(source, start, "<![CDATA["));
    element.SetText(trimmed(text));
}

std::string TqomXMLParser2::errorReport(const std::string &message)
{
    const std::size_t from = std::min(m_pos >= 20 ? m_pos - 20 : 0, m_sourceText.size());
    return message + " near " + m_sourceText.substr(from, 50) + "\r\nError position=" + std::to_string(m_pos + 1)
        + "\r\n" + AsXml();
}

} // namespace orvane
