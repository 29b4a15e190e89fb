#include "platform/linux/canberrasound.h"

#include "text/cp1252.h"

#include <canberra.h>
#include <cctype>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

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

} // namespace

CanberraCommandInterpreter::CanberraCommandInterpreter()
{
    if (ca_context_create(&m_context) != CA_SUCCESS) {
        m_context = nullptr;
        return;
    }
    ca_context_change_props(
        m_context, CA_PROP_APPLICATION_NAME, "Orvane", CA_PROP_APPLICATION_ID, "org.orvane.Orvane", nullptr);
}

CanberraCommandInterpreter::~CanberraCommandInterpreter()
{
    if (m_context != nullptr) {
        ca_context_destroy(m_context);
    }
}

bool CanberraCommandInterpreter::fileExists(const std::string &path)
{
    struct stat info
    {
    };
    return ::stat(cp1252ToUtf8(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool CanberraCommandInterpreter::mciExecute(const std::string &command)
{
    if (m_context == nullptr || !isVerb(command, "play")) {
        return false;
    }
    const std::string path = systemPath(command.substr(5));
    return ca_context_play(
               m_context, m_nextId++, CA_PROP_MEDIA_FILENAME, path.c_str(), CA_PROP_MEDIA_ROLE, "event", nullptr)
        == CA_SUCCESS;
}

} // namespace orvane
