// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace sendmail {

// The mail server settings of one user.
struct MailSettings
{
    std::string server; // smtp://host[:port] or smtps://host[:port]
    std::string starttls = "try"; // no, try or yes (smtp:// only)
    std::string user; // empty: no login
    std::string password;
    std::string from; // empty: the caller's sender
};

// $XDG_CONFIG_HOME/orvane/sendmail.conf, or ~/.config/orvane/sendmail.conf.
[[nodiscard]] std::string settingsPath();

// Reads the settings at `path`. On failure yields nothing and says why in `error`: the file
// is missing, is not a regular file, belongs to someone else, can be read or written by
// other users, or has a line that is not "key = value" with a known key.
[[nodiscard]] std::optional<MailSettings> loadSettings(const std::string &path, std::string &error);

// The settings in `text` (the file's content; `path` only names it in messages). On
// failure yields nothing and says which line is wrong in `error`.
[[nodiscard]] std::optional<MailSettings> parseSettings(const std::string &text, const std::string &path,
                                                        std::string &error);

} // namespace sendmail
