// SPDX-License-Identifier: MIT
// The mail library's two texts from outside: the settings file (any bytes a user may
// write) and the mail it composes from the caller's subject and body. A composed mail must
// keep its fixed header block whatever the body holds, and end every line with CR LF.
#include "mailmessage.h"
#include "mailsettings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char *>(data), size);
    std::string error;
    const auto settings = sendmail::parseSettings(input, "fuzz.conf", error);
    if (settings.has_value() != error.empty()) {
        std::abort(); // exactly one of the two: settings, or a reason
    }

    // First line: the subject (callers refuse line breaks in it); the rest: the body.
    const auto split = input.find('\n');
    std::string subject = input.substr(0, split);
    for (char &c : subject) {
        if (c == '\r') {
            c = ' ';
        }
    }
    const std::string body = split == std::string::npos ? std::string() : input.substr(split + 1);
    const std::string mail = sendmail::composeMessage("a@b.org", "c@d.org", subject, body, 0, "id@host");

    const auto headerEnd = mail.find("\r\n\r\n");
    if (headerEnd == std::string::npos) {
        std::abort();
    }
    std::size_t headerLines = 0;
    for (std::size_t i = 0; i < headerEnd + 2; ++i) {
        headerLines += mail[i] == '\n' ? 1 : 0;
    }
    if (headerLines != 8) {
        std::abort(); // the body or the subject added or broke a header line
    }
    for (std::size_t i = 0; i < mail.size(); ++i) {
        const bool lf = mail[i] == '\n';
        const bool cr = mail[i] == '\r';
        if ((lf && (i == 0 || mail[i - 1] != '\r')) || (cr && (i + 1 == mail.size() || mail[i + 1] != '\n'))) {
            std::abort(); // a bare CR or LF
        }
    }
    if (mail.size() < 2 || mail.compare(mail.size() - 2, 2, "\r\n") != 0) {
        std::abort();
    }
    return 0;
}
