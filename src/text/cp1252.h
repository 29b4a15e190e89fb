// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace orvane {

// Texts inside the program are single-byte Windows-1252 strings (the degree sign is 0xB0).
// These two convert at every boundary to the Linux desktop, which speaks UTF-8.

// Every byte maps to a character; the five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) pass through as the C1 controls of the same value.
std::string cp1252ToUtf8(std::string_view text);

// Characters that Windows-1252 cannot hold, and bytes that are not valid UTF-8, become '?'.
std::string utf8ToCp1252(std::string_view text);

} // namespace orvane
