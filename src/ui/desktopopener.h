// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace orvane {

// The desktop's "open" for a web address or a "mailto:" address: the user's browser or
// mail program takes it. The address (Windows-1252) is handed on exactly as given, nothing
// in it encoded; the call returns once the desktop has it, and whether the desktop could
// open it is not reported.
class DesktopOpener
{
public:
    virtual ~DesktopOpener() = default;
    virtual void open(const std::string &address) = 0;
};

} // namespace orvane
