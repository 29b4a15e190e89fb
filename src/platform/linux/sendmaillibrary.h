// SPDX-License-Identifier: MIT
#pragma once

#include "monitor/alertmail.h"

#include <string>

namespace orvane {

// The mail library libsendmail_lib.so, loaded at run time. The program starts and runs
// without it (a machine may have no mail set up); a mail sent then fails with a result text
// that names what is missing. Texts cross to the library as UTF-8 and come back as
// Windows-1252.
class SendMailLibrary : public MailLibrary
{
public:
    // Loads `path`; with the default, the library is looked for where the dynamic loader
    // looks (LD_LIBRARY_PATH, the system folders), then next to the running executable, then
    // in the private library folder of an installed program (lib/<multiarch>/orvane beside
    // the program's bin folder).
    explicit SendMailLibrary(const std::string &path = {});
    ~SendMailLibrary() override;

    SendMailLibrary(const SendMailLibrary &) = delete;
    SendMailLibrary &operator=(const SendMailLibrary &) = delete;

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

} // namespace orvane
