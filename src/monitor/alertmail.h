// SPDX-License-Identifier: MIT
#pragma once

#include "drive/attrreading.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace orvane {

// The program's own sender address, the same for every mail.
inline constexpr std::string_view kAlertSender = "orvane@localhost";
inline constexpr std::string_view kAlertSubject = "Orvane Alert!";
// The ninth argument of SendMail: the time, in milliseconds, the library may take to reach
// the mail server (it caps the whole exchange at a few times that).
inline constexpr std::int32_t kMailTimeLimit = 1000;

inline constexpr std::string_view kCurrentTemperatureIs = "The current temperature is: ";
inline constexpr std::string_view kAlertMessageSentTo = "The Alert! Message was sent to: ";
inline constexpr std::string_view kAlertMessageNotSentTo = "The Alert! Message could not be sent to: ";

// The mail library's one entry point. All texts are Windows-1252; the back-end converts
// them for the library.
class MailLibrary
{
public:
    virtual ~MailLibrary() = default;

    // SendMail with its nine arguments, first to last: the result text (empty before the
    // call; the library's account of what happened, "250 OK" or "Couldn't connect to
    // server"), sender, recipient, two unused arguments (null), subject, body, one more
    // unused argument (null) and the time limit. Yields true when the server accepted the
    // mail. Blocks for at most a few seconds.
    virtual bool SendMail(std::string &resultText, const char *sender, const char *recipient, const char *unused4,
                          const char *unused5, const char *subject, const char *body, const char *unused8,
                          std::int32_t timeLimit) = 0;
};

// What became of one mail: whether the library reports it sent, and its result text.
struct MailOutcome
{
    bool sent = false;
    std::string resultText;
};

// Sends the alert mail: the fixed sender, `recipient` as stored, subject "Orvane Alert!" and
// `body` as the one line. The watch ignores the outcome; the test button shows it.
MailOutcome SendAlertMail(MailLibrary &library, const std::string &recipient, const std::string &body);

// A plain message box with an OK button.
class MessageBoxApi
{
public:
    virtual ~MessageBoxApi() = default;
    virtual void showMessage(const std::string &text) = 0;
};

// Reads a drive's temperature (degrees Celsius in Raw, or kNoTemperature).
using TemperatureReader = std::function<TAttrReading(std::uint8_t drive)>;

// True when `text` holds nothing but blanks and control characters (every byte up to 0x20).
[[nodiscard]] bool IsBlankText(std::string_view text);

// The test mail: with a non-blank address, reads drive 0 (ticked or not), mails its
// temperature at once and says in `messageBox` whether the library accepted the mail; with
// the library's result text when it did not. Logs nothing.
void sendTestMail(const std::string &emailAddr, const TemperatureReader &readTemperature, MailLibrary &library,
                  MessageBoxApi &messageBox);

} // namespace orvane
