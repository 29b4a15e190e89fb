#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// Hands an address (a web page, or a "mailto:" address with its subject) to the shell with
// the verb "open": ShellExecuteA with `parentWindow` as the parent, no parameters, no
// working folder, SW_SHOWNORMAL. The address goes as it is, nothing percent-encoded. The
// result is not looked at: an address the shell cannot open does nothing visible.
void ShellOpen(const std::string &address, std::intptr_t parentWindow = 0);

} // namespace orvane
