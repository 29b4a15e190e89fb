// SPDX-License-Identifier: MIT
#pragma once

#include "ui/autorun.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

// Where Windows looks for programs to start at log-on, below HKEY_CURRENT_USER (the
// leading backslash makes it absolute from the root; RegCreateKeyExA gets it without).
inline constexpr std::string_view kRunKeyPath = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kRunValueName = "Orvane";

// The Run value that starts the program at log-on: "Orvane" = the executable's full path
// between double quotes, so that a path with blanks stays one command.
class WindowsRunValue : public AutostartEntry
{
public:
    // `root` is HKEY_CURRENT_USER when 0; tests hand in a key of their own. `executable`
    // is the running program (GetModuleFileNameA) when empty.
    explicit WindowsRunValue(std::intptr_t root = 0, std::string executable = {});

    // Opens the Run key (creating it when missing) and writes the value, replacing any
    // value of that name. False when the key could not be opened or the value not written.
    // The value names executable(), the path as the system itself reports it in the ANSI
    // code page; the window's `executablePath` (UTF-8, with forward slashes) is not used.
    bool write(const std::string &executablePath) override;

    // Opens the Run key the same way and deletes the value; a value that is not there is
    // no error, and nothing is reported.
    void remove() override;

    [[nodiscard]] const std::string &executable() const { return m_executable; }

private:
    std::intptr_t m_root;
    std::string m_executable;
};

// The data of the Run value for `executable`: the path between double quotes.
[[nodiscard]] std::string RunValueData(const std::string &executable);

} // namespace orvane
