// SPDX-License-Identifier: MIT
#pragma once

#include "monitor/alertmail.h"

#include <string>

namespace orvane {

// The mail library SendMail_Lib.dll, loaded at start from the program's own folder (a full
// path, so that no other folder's DLL of that name is picked up). It exports
//   int SendMail(char **resultText, const char *sender, const char *recipient,
//                const char *, const char *, const char *subject, const char *body,
//                const char *, int timeLimit);   // 0: the server accepted the mail
//   void SendMailFree(char *resultText);
// with the C calling convention; texts are in the ANSI code page. The program runs without
// it; a mail sent then fails with a result text that says why.
class SendMailDll : public MailLibrary
{
public:
    // `path` names the DLL; empty: SendMail_Lib.dll beside the running executable.
    explicit SendMailDll(const std::string &path = {});
    ~SendMailDll() override;

    SendMailDll(const SendMailDll &) = delete;
    SendMailDll &operator=(const SendMailDll &) = delete;

    [[nodiscard]] bool loaded() const { return m_sendMail != nullptr; }

    bool SendMail(std::string &resultText, const char *sender, const char *recipient, const char *unused4,
                  const char *unused5, const char *subject, const char *body, const char *unused8,
                  std::int32_t timeLimit) override;

private:
    using SendMailFunction = int (*)(char **, const char *, const char *, const char *, const char *, const char *,
                                     const char *, const char *, int);
    using FreeFunction = void (*)(char *);

    void *m_library = nullptr;
    SendMailFunction m_sendMail = nullptr;
    FreeFunction m_free = nullptr;
    std::string m_loadError;
};

inline constexpr std::string_view kSendMailDllName = "SendMail_Lib.dll";

} // namespace orvane
