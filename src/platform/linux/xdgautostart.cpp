// SPDX-License-Identifier: MIT
#include "platform/linux/xdgautostart.h"

#include "core/orvaneerror.h"
#include "settings/fileio.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>
#include <utility>

namespace orvane {

std::string AutostartEntryPath(const char *xdgConfigHome, const char *home)
{
    std::string config;
    if (xdgConfigHome && xdgConfigHome[0] == '/') {
        config = xdgConfigHome;
    } else {
        config = std::string(home ? home : "") + "/.config";
    }
    return config + "/autostart/Orvane.desktop";
}

std::string AutostartEntryPath()
{
    const char *home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd *user = getpwuid(getuid());
        home = user ? user->pw_dir : nullptr;
    }
    return AutostartEntryPath(std::getenv("XDG_CONFIG_HOME"), home);
}

std::string AutostartEntryText(const std::string &executablePath)
{
    // Inside a quoted argument '"', '`', '$' and '\' take a backslash; '%' is doubled, as
    // it starts a field code; then the value's own escaping doubles every backslash.
    std::string quoted = "\"";
    for (const char c : executablePath) {
        if (c == '"' || c == '`' || c == '$') {
            quoted += "\\\\";
            quoted += c;
        } else if (c == '\\') {
            quoted += "\\\\\\\\";
        } else if (c == '%') {
            quoted += "%%";
        } else {
            quoted += c;
        }
    }
    quoted += '"';
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Orvane\n"
           "Comment=Disk health and temperature monitor\n"
           "Exec="
        + quoted
        + "\n"
          "Terminal=false\n";
}

bool WriteAutostartEntry(const std::string &entryFile, const std::string &executablePath)
{
    if (executablePath.find_first_of("\r\n") != std::string::npos) {
        return false;
    }
    const std::filesystem::path file(entryFile);
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    // Replaced in one step, so a session that starts meanwhile never reads half an entry.
    try {
        replaceFileAtomically(file, AutostartEntryText(executablePath));
    } catch (const OrvaneError &) {
        return false;
    }
    return true;
}

void RemoveAutostartEntry(const std::string &entryFile)
{
    // Only the entry itself (a file, or a link to one): never a folder or a device that
    // happens to have its name.
    std::error_code ignored;
    const auto type = std::filesystem::symlink_status(entryFile, ignored).type();
    if (type == std::filesystem::file_type::regular || type == std::filesystem::file_type::symlink) {
        std::filesystem::remove(entryFile, ignored);
    }
}

XdgAutostartEntry::XdgAutostartEntry(std::string entryFile)
    : m_file(std::move(entryFile))
{
}

bool XdgAutostartEntry::write(const std::string &executablePath)
{
    return WriteAutostartEntry(m_file, executablePath);
}

void XdgAutostartEntry::remove()
{
    RemoveAutostartEntry(m_file);
}

} // namespace orvane
