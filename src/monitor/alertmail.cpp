// SPDX-License-Identifier: MIT
#include "monitor/alertmail.h"

namespace orvane {

MailOutcome SendAlertMail(MailLibrary &library, const std::string &recipient, const std::string &body)
{
    const std::string sender(kAlertSender);
    const std::string subject(kAlertSubject);
    MailOutcome outcome;
    outcome.sent = library.SendMail(outcome.resultText, sender.c_str(), recipient.c_str(), nullptr, nullptr,
                                    subject.c_str(), body.c_str(), nullptr, kMailTimeLimit);
    return outcome;
}

bool IsBlankText(std::string_view text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) > 0x20) {
            return false;
        }
    }
    return true;
}

void sendTestMail(const std::string &emailAddr, const TemperatureReader &readTemperature, MailLibrary &library,
                  MessageBoxApi &messageBox)
{
    if (IsBlankText(emailAddr)) {
        return;
    }
    const std::int32_t temperature = readTemperature(0).Raw;
    const MailOutcome outcome =
        SendAlertMail(library, emailAddr, std::string(kCurrentTemperatureIs) + temperatureText(temperature));
    // Only a mail the library accepted is reported as sent; a failure says why.
    if (outcome.sent) {
        messageBox.showMessage(std::string(kAlertMessageSentTo) + emailAddr);
    } else {
        messageBox.showMessage(std::string(kAlertMessageNotSentTo) + emailAddr + "\n" + outcome.resultText);
    }
}

} // namespace orvane
