// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace orvane {

// A UTF-8 text as a terminal may show it: the control characters, which could clear the
// screen, retitle the window or cut a message short, are written as escapes instead: C0
// controls and DEL as \xNN, the C1 controls U+0080 to U+009F as \u00NN. Everything else,
// invalid UTF-8 included, passes unchanged.
[[nodiscard]] std::string printableText(std::string_view utf8);

} // namespace orvane
