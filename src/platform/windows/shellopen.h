#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// The shell's "open" for a web address or a "mailto:" address with its subject:
// ShellExecuteA with the verb "open", `parentWindow` as the parent, no parameters, no
// working folder, SW_SHOWNORMAL. The address (ANSI code page) goes as it is, nothing
// percent-encoded. The result is not looked at: an address the shell cannot open does
// nothing visible. It has the shape of the window's opener seam, the desktop's "open".
class ShellOpener
{
public:
    explicit ShellOpener(std::intptr_t parentWindow = 0)
        : m_parentWindow(parentWindow)
    {
    }
    virtual ~ShellOpener() = default;

    virtual void open(const std::string &address);

private:
    std::intptr_t m_parentWindow;
};

} // namespace orvane
