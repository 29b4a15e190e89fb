// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// The catalogue name of an attribute id, filled up with blanks to 24 characters (the one
// name longer than that, id 227, is 26 characters). Unknown ids give "(Unknown attribute)".
[[nodiscard]] const std::string &AttributeName(std::uint8_t id);

} // namespace orvane
