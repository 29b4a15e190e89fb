// SPDX-License-Identifier: MIT
#pragma once

#include "ui/autorun.h"

#include <string>

namespace orvane {

// Starting with the desktop session: an XDG autostart entry, "Orvane.desktop" in the
// user's autostart folder, that runs the executable.

// "$XDG_CONFIG_HOME/autostart/Orvane.desktop" when XDG_CONFIG_HOME is an absolute path,
// otherwise "$HOME/.config/autostart/Orvane.desktop". Either argument may be null.
[[nodiscard]] std::string AutostartEntryPath(const char *xdgConfigHome, const char *home);

// The same for this process's environment (HOME falls back to the password database).
[[nodiscard]] std::string AutostartEntryPath();

// The entry's text; Exec is the executable's path between double quotes, escaped as the
// desktop entry format wants, so that blanks and quotes in it stay one argument.
[[nodiscard]] std::string AutostartEntryText(const std::string &executablePath);

// Writes the entry, creating the folder when needed and replacing an older entry in one
// step (a half-written file never stands). False when it could not be written, or when
// the path holds a line break, which no entry can carry.
bool WriteAutostartEntry(const std::string &entryFile, const std::string &executablePath);

// Removes the entry; an entry that is not there is no error.
void RemoveAutostartEntry(const std::string &entryFile);

// The autostart entry in one file, by default the one of this process's environment.
class XdgAutostartEntry : public AutostartEntry
{
public:
    explicit XdgAutostartEntry(std::string entryFile = AutostartEntryPath());

    bool write(const std::string &executablePath) override;
    void remove() override;
    [[nodiscard]] const std::string &file() const { return m_file; }

private:
    std::string m_file;
};

} // namespace orvane
