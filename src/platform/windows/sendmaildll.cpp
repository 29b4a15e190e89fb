// SPDX-License-Identifier: MIT
#include "platform/windows/sendmaildll.h"

#include "platform/windows/modulepath.h"
#include "platform/windows/systemerror.h"

#include <windows.h>

namespace orvane {

namespace {

HMODULE native(void *library)
{
    return static_cast<HMODULE>(library);
}

template<typename Function>
Function entryPoint(void *library, const char *name)
{
    // GetProcAddress hands every export out as one function pointer type.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(native(library), name)));
}

} // namespace

SendMailDll::SendMailDll(const std::string &path)
{
    const std::string file = path.empty() ? ModuleFolder() + std::string(kSendMailDllName) : path;
    m_library = ::LoadLibraryA(file.c_str());
    if (m_library == nullptr) {
        m_loadError = "The mail library cannot be loaded: " + file + ": " + SystemErrorText(::GetLastError());
        return;
    }
    m_sendMail = entryPoint<SendMailFunction>(m_library, "SendMail");
    m_free = entryPoint<FreeFunction>(m_library, "SendMailFree");
    if (m_sendMail == nullptr || m_free == nullptr) {
        m_sendMail = nullptr;
        m_loadError = "The mail library has no SendMail";
    }
}

SendMailDll::~SendMailDll()
{
    if (m_library != nullptr) {
        ::FreeLibrary(native(m_library));
    }
}

bool SendMailDll::SendMail(std::string &resultText, const char *sender, const char *recipient, const char *unused4,
                           const char *unused5, const char *subject, const char *body, const char *unused8,
                           std::int32_t timeLimit)
{
    if (m_sendMail == nullptr) {
        resultText = m_loadError;
        return false;
    }
    char *result = nullptr;
    const int status = m_sendMail(&result, sender, recipient, unused4, unused5, subject, body, unused8, timeLimit);
    resultText = result != nullptr ? std::string(result) : std::string();
    m_free(result);
    return status == 0;
}

} // namespace orvane
