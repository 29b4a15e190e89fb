// SPDX-License-Identifier: MIT
#pragma once

#include "ui/desktopopener.h"

#include <cstdint>
#include <string>

namespace orvane {

// The shell's "open" for a web address or a "mailto:" address with its subject:
// ShellExecuteA with the verb "open", `parentWindow` as the parent, no parameters, no
// working folder, SW_SHOWNORMAL. The address (ANSI code page) goes as it is, nothing
// percent-encoded. The result is not looked at: an address the shell cannot open does
// nothing visible.
class ShellOpener : public DesktopOpener
{
public:
    explicit ShellOpener(std::intptr_t parentWindow = 0)
        : m_parentWindow(parentWindow)
    {
    }
    void open(const std::string &address) override;

private:
    std::intptr_t m_parentWindow;
};

} // namespace orvane
