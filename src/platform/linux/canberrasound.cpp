// SPDX-License-Identifier: MIT
#include "platform/linux/canberrasound.h"

#include "text/cp1252.h"

#include <canberra.h>
#include <cctype>
#include <climits>
#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace orvane {

namespace {

// The path as the file system spells it, absolute so that the sound back-end (which may
// run in another process) finds the same file.
std::string systemPath(const std::string &path)
{
    std::string utf8 = cp1252ToUtf8(path);
    if (!utf8.empty() && utf8[0] != '/') {
        char directory[PATH_MAX];
        if (::getcwd(directory, sizeof directory) != nullptr) {
            utf8 = std::string(directory) + "/" + utf8;
        }
    }
    return utf8;
}

bool isVerb(const std::string &command, std::string_view verb)
{
    if (command.size() <= verb.size() || command[verb.size()] != ' ') {
        return false;
    }
    for (std::size_t i = 0; i < verb.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(command[i])) != verb[i]) {
            return false;
        }
    }
    return true;
}

// libcanberra unloads its driver module (libcanberra-<version>/libcanberra-alsa.so and the
// like) when a context is destroyed, while the playing thread may still be returning into
// that module's code; the thread then crashes the program. Marking the loaded driver
// modules as never to be unloaded closes that window; they are small and stay for the
// life of the process anyway.
void keepDriverModulesLoaded()
{
    std::vector<std::string> modules;
    dl_iterate_phdr(
        [](dl_phdr_info *info, std::size_t, void *found) {
            const char *name = info->dlpi_name != nullptr ? std::strstr(info->dlpi_name, "/libcanberra-") : nullptr;
            if (name != nullptr && std::isdigit(static_cast<unsigned char>(name[13])) != 0) {
                static_cast<std::vector<std::string> *>(found)->push_back(info->dlpi_name);
            }
            return 0;
        },
        &modules);
    for (const std::string &module : modules) {
        // NOLOAD: only the one already there; NODELETE: it is never unmapped. The extra
        // reference this takes is given back at once.
        if (void *handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE)) {
            ::dlclose(handle);
        }
    }
}

// libcanberra's own words for a result code ("No such file or directory", "Not available").
std::string canberraError(int result)
{
    const char *text = ca_strerror(result);
    return utf8ToCp1252(text != nullptr ? text : "unknown sound error");
}

} // namespace

CanberraCommandInterpreter::CanberraCommandInterpreter()
{
    m_createResult = ca_context_create(&m_context);
    if (m_createResult != CA_SUCCESS) {
        m_context = nullptr;
        return;
    }
    ca_context_change_props(m_context, CA_PROP_APPLICATION_NAME, "Orvane", CA_PROP_APPLICATION_ID, "org.orvane.Orvane",
                            nullptr);
    // Loads the driver now rather than on the first sound, so that it can be pinned.
    if (ca_context_open(m_context) == CA_SUCCESS) {
        keepDriverModulesLoaded();
    }
}

CanberraCommandInterpreter::~CanberraCommandInterpreter()
{
    if (m_context != nullptr) {
        ca_context_destroy(m_context);
    }
}

bool CanberraCommandInterpreter::fileExists(const std::string &path)
{
    struct stat info = {};
    return ::stat(cp1252ToUtf8(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool CanberraCommandInterpreter::mciExecute(const std::string &command)
{
    constexpr std::string_view kPlay = "play";
    if (!isVerb(command, kPlay)) {
        m_lastError = "unknown sound command";
        return false;
    }
    if (m_context == nullptr) {
        m_lastError = canberraError(m_createResult);
        return false;
    }
    const std::string path = systemPath(command.substr(kPlay.size() + 1));
    const int result = ca_context_play(m_context, m_nextId++, CA_PROP_MEDIA_FILENAME, path.c_str(), CA_PROP_MEDIA_ROLE,
                                       "event", nullptr);
    if (result != CA_SUCCESS) {
        m_lastError = canberraError(result);
        return false;
    }
    m_lastError.clear();
    return true;
}

} // namespace orvane
