// SPDX-License-Identifier: MIT
#include "platform/linux/sendmaillibrary.h"

#include "text/cp1252.h"

#include <climits>
#include <dlfcn.h>
#include <optional>
#include <unistd.h>

namespace orvane {

namespace {

constexpr const char *kLibraryName = "libsendmail_lib.so";

// The running executable's folder with a trailing '/', or empty when it cannot be found.
std::string executableFolder()
{
    char self[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        return {};
    }
    std::string path(self, static_cast<std::size_t>(length));
    return path.substr(0, path.rfind('/') + 1);
}

// Where the loader looks, then next to the executable (a build folder), then the private
// library folder of an installed program.
void *openWhereTheProgramKeepsIt()
{
    void *library = ::dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    const std::string folder = executableFolder();
    if (library == nullptr && !folder.empty()) {
        library = ::dlopen((folder + kLibraryName).c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    if (library == nullptr && !folder.empty()) {
        const std::string installed = folder + ORVANE_PRIVATE_LIBS_FROM_PROGRAM + "/" + kLibraryName;
        library = ::dlopen(installed.c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    return library;
}

std::optional<std::string> utf8OrNull(const char *text)
{
    if (text == nullptr) {
        return std::nullopt;
    }
    return cp1252ToUtf8(text);
}

const char *pointerOf(const std::optional<std::string> &text)
{
    return text ? text->c_str() : nullptr;
}

} // namespace

SendMailLibrary::SendMailLibrary(const std::string &path)
{
    if (!path.empty()) {
        m_library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    } else {
        m_library = openWhereTheProgramKeepsIt();
    }
    if (m_library == nullptr) {
        const char *error = ::dlerror();
        m_loadError = std::string("The mail library cannot be loaded: ") + (error != nullptr ? error : kLibraryName);
        return;
    }
    m_sendMail = reinterpret_cast<SendMailFunction>(::dlsym(m_library, "SendMail"));
    m_free = reinterpret_cast<FreeFunction>(::dlsym(m_library, "SendMailFree"));
    if (m_sendMail == nullptr || m_free == nullptr) {
        m_sendMail = nullptr;
        m_loadError = "The mail library has no SendMail";
    }
}

SendMailLibrary::~SendMailLibrary()
{
    if (m_library != nullptr) {
        ::dlclose(m_library);
    }
}

bool SendMailLibrary::SendMail(std::string &resultText, const char *sender, const char *recipient, const char *unused4,
                               const char *unused5, const char *subject, const char *body, const char *unused8,
                               std::int32_t timeLimit)
{
    if (m_sendMail == nullptr) {
        resultText = utf8ToCp1252(m_loadError);
        return false;
    }
    const auto from = utf8OrNull(sender);
    const auto to = utf8OrNull(recipient);
    const auto arg4 = utf8OrNull(unused4);
    const auto arg5 = utf8OrNull(unused5);
    const auto title = utf8OrNull(subject);
    const auto text = utf8OrNull(body);
    const auto arg8 = utf8OrNull(unused8);
    char *result = nullptr;
    const int status = m_sendMail(&result, pointerOf(from), pointerOf(to), pointerOf(arg4), pointerOf(arg5),
                                  pointerOf(title), pointerOf(text), pointerOf(arg8), timeLimit);
    resultText = result != nullptr ? utf8ToCp1252(result) : std::string();
    m_free(result);
    return status == 0;
}

} // namespace orvane
