// SPDX-License-Identifier: MIT
#include "mailsettings.h"

#include "platform/linux/filedescriptor.h"
#include "text/textops.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sendmail {

namespace {

std::string trimmedLine(std::string_view text)
{
    return std::string(orvane::trimmed(text, " \t\r"));
}

bool assign(MailSettings &settings, const std::string &key, const std::string &value)
{
    if (key == "server") {
        settings.server = value;
    } else if (key == "starttls") {
        if (value != "no" && value != "try" && value != "yes") {
            return false;
        }
        settings.starttls = value;
    } else if (key == "user") {
        settings.user = value;
    } else if (key == "password") {
        settings.password = value;
    } else if (key == "from") {
        settings.from = value;
    } else {
        return false;
    }
    return true;
}

constexpr std::size_t kMaxSettingsBytes = 65536;

// The file's text, read through one descriptor so that the checks and the read see the
// same file. Opened without blocking, so that a pipe put there cannot hold the caller
// past its time limit; only a regular file is read.
std::optional<std::string> readPrivateFile(const std::string &path, std::string &error)
{
    const orvane::FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    const int fd = file.get();
    if (!file.valid()) {
        error = "Cannot read mail settings " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    struct stat info = {};
    std::string text;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = "Mail settings " + path + " is not a regular file";
    } else if (info.st_uid != ::geteuid()) {
        error = "Mail settings " + path + " belongs to another user";
    } else if ((info.st_mode & 077) != 0) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(info.st_mode & 07777));
        error = "Mail settings " + path + " are too open (mode " + mode
            + "): other users must not read them; run chmod 600 on the file";
    } else {
        char buffer[4096];
        ssize_t got = 0;
        while (text.size() <= kMaxSettingsBytes
               && ((got = ::read(fd, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR))) {
            text.append(buffer, got > 0 ? static_cast<std::size_t>(got) : 0);
        }
        if (got < 0) {
            error = "Cannot read mail settings " + path + ": " + std::strerror(errno);
        } else if (text.size() > kMaxSettingsBytes) {
            error = "Mail settings " + path + " is larger than " + std::to_string(kMaxSettingsBytes) + " bytes";
        }
    }
    if (!error.empty()) {
        return std::nullopt;
    }
    return text;
}

// A password keeps every byte after the blanks that follow '=': blanks at its end too (only
// the CR of a CR LF line end goes). Every other value loses the blanks around it.
std::string valueOf(const std::string &key, const std::string &rest)
{
    if (key != "password") {
        return trimmedLine(rest);
    }
    std::string value = rest.substr(std::min(rest.find_first_not_of(" \t"), rest.size()));
    if (!value.empty() && value.back() == '\r') {
        value.pop_back();
    }
    return value;
}

} // namespace

std::string settingsPath()
{
    const char *config = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (config != nullptr && config[0] == '/') {
        base = config;
    } else {
        const char *home = std::getenv("HOME");
        base = std::string(home != nullptr ? home : "") + "/.config";
    }
    return base + "/orvane/sendmail.conf";
}

std::optional<MailSettings> loadSettings(const std::string &path, std::string &error)
{
    const std::optional<std::string> text = readPrivateFile(path, error);
    if (!text) {
        return std::nullopt;
    }
    return parseSettings(*text, path, error);
}

std::optional<MailSettings> parseSettings(const std::string &content, const std::string &path, std::string &error)
{
    MailSettings settings;
    std::size_t start = 0;
    for (int lineNumber = 1; start <= content.size(); ++lineNumber) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) {
            end = content.size();
        }
        const std::string raw = content.substr(start, end - start);
        const std::string line = trimmedLine(raw);
        start = end + 1;
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const auto equals = raw.find('=');
        const std::string key = equals == std::string::npos ? std::string() : trimmedLine(raw.substr(0, equals));
        if (equals == std::string::npos || !assign(settings, key, valueOf(key, raw.substr(equals + 1)))) {
            error = "Mail settings " + path + ", line " + std::to_string(lineNumber) + ": not a known \"key = value\"";
            return std::nullopt;
        }
    }
    if (settings.server.rfind("smtp://", 0) != 0 && settings.server.rfind("smtps://", 0) != 0) {
        error = "Mail settings " + path + ": \"server\" must be smtp://host[:port] or smtps://host[:port]";
        return std::nullopt;
    }
    return settings;
}

} // namespace sendmail
