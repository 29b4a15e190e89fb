// SPDX-License-Identifier: MIT
#pragma once

// libsendmail_lib: sends one mail over SMTP. The server and the login come from the
// settings file described in the README ("Alert mail"); all texts are UTF-8.

#ifdef __cplusplus
extern "C" {
#endif

#define SENDMAIL_API __attribute__((visibility("default")))

enum {
    SENDMAIL_OK = 0, // the server accepted the mail
    SENDMAIL_BAD_ARGUMENTS = 1, // a missing address, a control character in a header, an unused argument set
    SENDMAIL_BAD_SETTINGS = 2, // the settings file is missing, unreadable, too open or malformed
    SENDMAIL_FAILED = 3 // no server, refused login, refused mail, time limit reached
};

// Sends one mail and returns one of the SENDMAIL_ values. `*resultText` receives a text
// saying what happened, such as "250 OK", "Couldn't connect to server" or "Login denied
// (535 Authentication failed)"; release it with SendMailFree. `sender` and `recipient` are
// single addresses (blanks around them are ignored); `subject` is one line; `body` is
// the mail's text (a missing body sends an empty mail). The fourth, fifth and eighth
// arguments are reserved and must be null. `timeLimit` is the time in milliseconds allowed
// to reach the server and have its greeting, kept within 100 to 2000; the whole exchange
// may take five times that, so a call returns within about 5 s for 1000 and never takes
// more than 10 s.
SENDMAIL_API int SendMail(char **resultText, const char *sender, const char *recipient, const char *reserved4,
                          const char *reserved5, const char *subject, const char *body, const char *reserved8,
                          int timeLimit);

// Releases a result text of SendMail; null is allowed.
SENDMAIL_API void SendMailFree(char *resultText);

#ifdef __cplusplus
}
#endif
