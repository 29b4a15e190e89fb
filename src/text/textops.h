// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace orvane {

// `text` without the bytes of value 32 or below at either end (bytes above 127 stay).
[[nodiscard]] std::string_view trimmed(std::string_view text);

// `text` without any of the bytes in `blanks` at either end.
[[nodiscard]] std::string_view trimmed(std::string_view text, std::string_view blanks);

// Replaces every occurrence of `from` in `text` by `to`, left to right; text that a
// replacement inserted is not searched again. `from` must not be empty.
void replaceAll(std::string &text, std::string_view from, std::string_view to);

} // namespace orvane
