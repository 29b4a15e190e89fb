// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// The system's own text for an error code of GetLastError (FormatMessageA), without the
// line break it ends with; "error N" when the system has no text for it.
[[nodiscard]] std::string SystemErrorText(std::uint32_t code);

} // namespace orvane
