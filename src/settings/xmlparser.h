// SPDX-License-Identifier: MIT
#pragma once

#include "settings/xmlnode.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace orvane {

// A small XML document with its own writer and reader; the document is itself the root
// element. It is not a conforming XML parser: it reads what its writer produces and a
// little more, keeps element text as it stands (no entity decoding there) and reports most
// reading errors in LastError instead of failing, keeping what it read up to the error.
class TqomXMLParser2 : public TqomXMLNode2
{
public:
    // Elements nested deeper than this end a reading with an error (the settings file needs
    // two levels); it keeps a hostile file from exhausting the stack or the memory.
    static constexpr int kMaxDepth = 100;

    TqomXMLParser2() = default;

    // Parses `text` into this document, replacing its root name, attributes and children.
    // Throws OrvaneError only for a broken attribute in the <?xml ...?> declaration; every
    // other reading error leaves the elements read so far and a report in LastError.
    virtual void LoadFromText(std::string_view text);

    // Reads the file whole and parses it like LoadFromText. A file that cannot be read
    // throws OrvaneError `Cannot open file "<full path>". <system error text>` and leaves
    // the document as it was.
    virtual void LoadFromFile(const std::filesystem::path &path);

    // The document as text: the declaration line, CR LF, then the root element; CR LF
    // between elements, two blanks of indentation a level, no line break at the end.
    [[nodiscard]] std::string AsXml();

    // Writes AsXml() to `path` exactly (no byte-order mark, no transcoding). The text goes
    // to a temporary file beside it, reaches the disk, and then replaces the file in one
    // step, so a failure at any point leaves the old file as it was. Throws OrvaneError
    // `Cannot create file "<full path>". <system error text>` on failure.
    void SaveToFile(const std::filesystem::path &path);

    // Holds the attributes of the declaration read from a file (version, encoding). A load
    // adds to it and never clears it, so the first document loaded names the version.
    [[nodiscard]] TqomXMLNode2 &Declaration() { return m_declaration; }
    [[nodiscard]] const std::string &SourceText() const { return m_sourceText; }
    // 1-based index into SourceText of the next byte the reader examines.
    [[nodiscard]] std::size_t Position() const { return m_pos + 1; }
    // The report of the last reading error; empty after a reading that succeeded.
    [[nodiscard]] const std::string &LastError() const { return m_lastError; }
    // Capacity of the writer's output buffer after the last AsXml().
    [[nodiscard]] std::size_t OutputCapacity() const { return m_output.size(); }

private:
    void parse();
    bool readElement(TqomXMLNode2 *parent, int depth);
    void readClosingTag(const TqomXMLNode2 &element);
    void readText(TqomXMLNode2 &element);
    [[nodiscard]] std::size_t find(std::string_view what, std::size_t from, const char *missing) const;
    [[nodiscard]] std::string errorReport(const std::string &message);

    void emit(std::string_view piece);
    void emitElement(const TqomXMLNode2 &element);
    void emitCData(std::string_view text);

    TqomXMLNode2 m_declaration;
    std::string m_sourceText;
    std::size_t m_pos = 0; // 0-based; Position() is 1-based
    std::string m_lastError;
    int m_indentLevel = 0;
    std::string m_output; // its size is the buffer's capacity
    std::size_t m_used = 0;
};

// Reads attributes such as `version="1.0" encoding='x'` into `element`, decoding the five
// entities in values. Throws OrvaneError with the reading error's message.
void readAttributes(std::string_view text, TqomXMLNode2 &element);

} // namespace orvane
