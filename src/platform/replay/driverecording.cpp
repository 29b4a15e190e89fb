// SPDX-License-Identifier: MIT
#include "platform/replay/driverecording.h"

#include "text/textops.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <span>
#include <sstream>

namespace orvane {

namespace {

constexpr std::string_view kMagic = "orvane-drive-recording 1";

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// What a recording line may carry around its words; a line break never reaches here.
constexpr std::string_view kBlanks = " \t\r\v\f";

// Cuts a '#' comment off the line: a whole line, or the rest of a line after a value.
std::string_view withoutComment(std::string_view line)
{
    return line.substr(0, line.find('#'));
}

// The bytes of a line as a message may quote them: control bytes (which would act on a
// terminal, or end the message early) as \xNN.
std::string quoted(std::string_view bytes)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
        } else {
            out += c;
        }
    }
    return out + "\"";
}

bool isKeyword(std::string_view word)
{
    for (const std::string_view keyword : {"version", "enable", "identify", "attributes", "thresholds"}) {
        if (word == keyword) {
            return true;
        }
    }
    return false;
}

class Parser
{
public:
    Parser(std::string_view text, const std::string &fileName)
        : m_text(text)
        , m_fileName(fileName)
    {
    }

    DriveRecording parse()
    {
        std::string_view line;
        if (!nextLine(line, false) || line != kMagic) {
            m_lineNumber = std::max<std::size_t>(m_lineNumber, 1);
            fail("the first line must be \"" + std::string(kMagic) + "\"");
        }
        while (nextLine(line, true)) {
            keyword(line);
        }
        if (!m_pending.empty()) {
            fail(cutShort());
        }
        return m_recording;
    }

private:
    // Yields the next line without its comment and outer blanks, skipping lines left empty
    // when `skipEmpty` is set; feeds the lines of an open section to the hex reader.
    bool nextLine(std::string_view &line, bool skipEmpty)
    {
        while (m_pos < m_text.size()) {
            const std::size_t end = std::min(m_text.find('\n', m_pos), m_text.size());
            line = trimmed(withoutComment(m_text.substr(m_pos, end - m_pos)), kBlanks);
            m_pos = end + 1;
            ++m_lineNumber;
            if (skipEmpty && line.empty()) {
                continue;
            }
            if (!m_pending.empty()) {
                hexLine(line);
                continue;
            }
            return true;
        }
        return false;
    }

    void keyword(std::string_view line)
    {
        const std::size_t space = line.find_first_of(" \t");
        const std::string_view word = line.substr(0, space);
        const std::string_view arg =
            space == std::string_view::npos ? std::string_view() : trimmed(line.substr(space), kBlanks);
        if (word == "version") {
            version(arg);
        } else if (word == "enable") {
            enable(arg);
        } else if (word == "identify" || word == "attributes" || word == "thresholds" || word == "nvme-identify"
                   || word == "nvme-health") {
            if (!arg.empty()) {
                fail("\"" + std::string(word) + "\" takes no argument; the bytes follow on the next lines");
            }
            startSection(word);
        } else {
            fail("unknown line " + quoted(line.substr(0, 40)));
        }
    }

    void version(std::string_view arg)
    {
        if (m_seenVersion) {
            fail("a second \"version\" line");
        }
        if (arg.size() != 2 || hexDigit(arg[0]) < 0 || hexDigit(arg[1]) < 0) {
            fail("\"version\" takes the device map as two hex digits, for example \"version 01\"");
        }
        m_seenVersion = true;
        m_recording.deviceMap = static_cast<std::uint8_t>(hexDigit(arg[0]) * 16 + hexDigit(arg[1]));
    }

    void enable(std::string_view arg)
    {
        if (m_seenEnable) {
            fail("a second \"enable\" line");
        }
        if (arg != "ok" && arg != "fail") {
            fail("\"enable\" takes \"ok\" or \"fail\"");
        }
        m_seenEnable = true;
        m_recording.enableOk = arg == "ok";
    }

    void startSection(std::string_view word)
    {
        if (word == "identify") {
            open(m_recording.identify, word);
        } else if (word == "attributes") {
            open(m_recording.attributes, word);
        } else if (word == "thresholds") {
            open(m_recording.thresholds, word);
        } else if (word == "nvme-identify") {
            open(m_recording.nvmeIdentify, word);
        } else {
            open(m_recording.nvmeHealth, word);
        }
    }

    template<std::size_t N>
    void open(std::optional<std::array<std::uint8_t, N>> &section, std::string_view word)
    {
        if (section.has_value()) {
            fail("a second \"" + std::string(word) + "\" section");
        }
        section.emplace();
        m_pending = std::span<std::uint8_t>(*section);
        m_pendingName = "the " + std::string(word);
        m_filled = 0;
    }

    std::string cutShort() const
    {
        return m_pendingName + " section ends after " + std::to_string(m_filled) + " of "
            + std::to_string(m_pending.size()) + " bytes";
    }

    // Hex pairs, with white space anywhere between pairs but never inside one.
    void hexLine(std::string_view line)
    {
        // The next keyword ("attributes" starts like a hex pair) ends a section cut short.
        if (hexDigit(line.front()) < 0 || isKeyword(line.substr(0, line.find_first_of(" \t")))) {
            fail(cutShort());
        }
        std::size_t i = 0;
        while (i < line.size()) {
            if (isSpace(line[i])) {
                ++i;
                continue;
            }
            const int high = hexDigit(line[i]);
            const int low = i + 1 < line.size() ? hexDigit(line[i + 1]) : -1;
            if (high < 0 || low < 0) {
                fail(quoted(line.substr(i, 2)) + " is not a pair of hex digits");
            }
            if (m_filled == m_pending.size()) {
                fail(m_pendingName + " section holds more than " + std::to_string(m_pending.size()) + " bytes");
            }
            m_pending[m_filled++] = static_cast<std::uint8_t>(high * 16 + low);
            i += 2;
        }
        if (m_filled == m_pending.size()) {
            m_pending = {};
        }
    }

    [[noreturn]] void fail(const std::string &what) const
    {
        throw RecordingError(m_fileName + ":" + std::to_string(m_lineNumber) + ": " + what);
    }

    std::string_view m_text;
    const std::string &m_fileName;
    std::size_t m_pos = 0;
    std::size_t m_lineNumber = 0;
    DriveRecording m_recording;
    bool m_seenVersion = false;
    bool m_seenEnable = false;
    std::span<std::uint8_t> m_pending; // the open section's bytes; empty when none is open
    std::string m_pendingName;
    std::size_t m_filled = 0;
};

template<std::size_t N>
void appendSection(std::string &out, std::string_view name, const std::optional<std::array<std::uint8_t, N>> &sector)
{
    if (!sector) {
        return;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    out += name;
    out += '\n';
    for (std::size_t i = 0; i < N; ++i) {
        out += kHex[(*sector)[i] >> 4];
        out += kHex[(*sector)[i] & 15];
        out += (i % 16 == 15) ? '\n' : ' ';
    }
}

} // namespace

DriveRecording parseRecording(std::string_view text, const std::string &fileName)
{
    return Parser(text, fileName).parse();
}

DriveRecording loadRecording(const std::string &path)
{
    const auto cannotRead = [&](const std::string &why) { return RecordingError(path + ": cannot be read: " + why); };
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error) {
        throw cannotRead(error.message());
    }
    if (std::filesystem::is_directory(status)) {
        throw cannotRead(std::make_error_code(std::errc::is_a_directory).message());
    }
    if (!std::filesystem::is_regular_file(status)) {
        throw cannotRead("not a regular file");
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw cannotRead(std::strerror(errno));
    }
    // Read up to one byte past the limit, so that a file that grew meanwhile is told too.
    std::string text(kMaxRecordingBytes + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad()) {
        throw cannotRead(std::strerror(errno));
    }
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() > kMaxRecordingBytes) {
        throw cannotRead("larger than " + std::to_string(kMaxRecordingBytes) + " bytes");
    }
    return parseRecording(text, path);
}

std::string formatRecording(const DriveRecording &recording, std::string_view comment)
{
    std::string out(kMagic);
    out += '\n';
    std::size_t start = 0;
    while (start < comment.size()) {
        const std::size_t end = std::min(comment.find('\n', start), comment.size());
        out += "# ";
        out += comment.substr(start, end - start);
        out += '\n';
        start = end + 1;
    }
    if (recording.deviceMap) {
        static constexpr char kHex[] = "0123456789abcdef";
        out += "version ";
        out += kHex[*recording.deviceMap >> 4];
        out += kHex[*recording.deviceMap & 15];
        out += '\n';
    }
    out += recording.enableOk ? "enable ok\n" : "enable fail\n";
    appendSection(out, "identify", recording.identify);
    appendSection(out, "attributes", recording.attributes);
    appendSection(out, "thresholds", recording.thresholds);
    appendSection(out, "nvme-identify", recording.nvmeIdentify);
    appendSection(out, "nvme-health", recording.nvmeHealth);
    return out;
}

} // namespace orvane
