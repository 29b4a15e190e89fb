#include "platform/replay/driverecording.h"

#include "text/textops.h"

#include <cstring>
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
        if (!nextLine(line, false) || trimmed(line, kBlanks) != kMagic) {
            fail("the first line must be \"" + std::string(kMagic) + "\"");
        }
        while (nextLine(line, true)) {
            keyword(trimmed(line, kBlanks));
        }
        if (!m_pending.empty()) {
            fail(cutShort());
        }
        return m_recording;
    }

private:
    // Yields the next line, skipping blank and '#' lines when `skipEmpty` is set; feeds
    // the lines of an open section to the hex reader.
    bool nextLine(std::string_view &line, bool skipEmpty)
    {
        while (m_pos < m_text.size()) {
            const std::size_t end = std::min(m_text.find('\n', m_pos), m_text.size());
            line = m_text.substr(m_pos, end - m_pos);
            m_pos = end + 1;
            ++m_lineNumber;
            const std::string_view content = trimmed(line, kBlanks);
            if (skipEmpty && (content.empty() || content.front() == '#')) {
                continue;
            }
            if (!m_pending.empty()) {
                hexLine(content);
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
            fail("unknown line \"" + std::string(line.substr(0, 40)) + "\"");
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
        if (hexDigit(line.front()) < 0) {
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
                fail("\"" + std::string(line.substr(i, 2)) + "\" is not a pair of hex digits");
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
    int m_lineNumber = 0;
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
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw RecordingError(path + ": cannot be read: " + std::strerror(errno));
    }
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad()) {
        throw RecordingError(path + ": cannot be read: " + std::strerror(errno));
    }
    return parseRecording(text.str(), path);
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
