// SPDX-License-Identifier: MIT
#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace sendmail {

// True for one bare address: not empty, no blank, no control character, no angle bracket
// (anything that could break out of "MAIL FROM:<...>" or a header line).
[[nodiscard]] bool isPlainAddress(std::string_view address);

// The address without the blanks and control characters around it.
[[nodiscard]] std::string trimmedAddress(std::string_view address);

// The subject as a header value: as it is when it is plain ASCII, otherwise one RFC 2047
// encoded word ("=?UTF-8?B?...?=").
[[nodiscard]] std::string encodedSubject(std::string_view subject);

// The whole mail as it travels: headers, a blank line and the body, every line ended by
// CR LF (a body's LF, CR or CR LF all become CR LF).
[[nodiscard]] std::string composeMessage(std::string_view from, std::string_view to, std::string_view subject,
                                         std::string_view body, std::time_t now, std::string_view messageId);

} // namespace sendmail
