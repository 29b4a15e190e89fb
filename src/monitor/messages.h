// SPDX-License-Identifier: MIT
#pragma once

#include "drive/attrreading.h"

#include <cstdint>
#include <string>
#include <string_view>

// Every message the activity log carries, byte for byte, in Windows-1252 (the degree sign is
// the single byte 0xB0). Callers log these and nothing else; the composed ones are built
// by the small functions below so that spacing and units cannot drift.
namespace orvane::msg {

inline constexpr std::string_view kOrvaneStarted = "Orvane Started !";
inline constexpr std::string_view kShowDiskInformation = "Show disk information";
inline constexpr std::string_view kSendEmailTo = "SEND email to : ";
inline constexpr std::string_view kTemperatureOverMaximum = "Temperature is over maximum: ";
inline constexpr std::string_view kOverMaximumSeparator = " > ";
inline constexpr std::string_view kHibernateTheSystem = "HIBERNATE the system";
inline constexpr std::string_view kUserCancelledHibernate = "USER cancelled the HIBERNATE action !";
inline constexpr std::string_view kChangedAlertTemperature = "CHANGED the alert temperature to: ";
inline constexpr std::string_view kOrvaneWasHibernated = "Orvane was Hibernated";
inline constexpr std::string_view kChangedMaxTemperature = "CHANGED max temperature: ";
inline constexpr std::string_view kChangedEmailAddress = "CHANGED email address to: ";
inline constexpr std::string_view kChangedSoundFile = "CHANGED sound file to: ";
// The temperature watch's question and the window captions it writes.
inline constexpr std::string_view kHibernateQuestion = "Would you like to HIBERNATE ?";
inline constexpr std::string_view kHibernateQuestionCaption = "Warning";
inline constexpr std::string_view kOrvaneCaption = "Orvane";
// An alert channel that failed, followed by the reason.
inline constexpr std::string_view kEmailFailed = "FAILED to send the email: ";
inline constexpr std::string_view kSoundFailed = "FAILED to play the sound: ";
inline constexpr std::string_view kHibernateFailed = "FAILED to hibernate the system: ";
// The program's own, beside the lines above.
inline constexpr std::string_view kUnreadableSettingsKept = "KEPT the settings file that could not be read as: ";
inline constexpr std::string_view kSettingsNotSaved = "The settings could not be saved: ";

// The message a box logs when it is ticked, and the one when it is unticked. Only the
// Run value says "DISABLED"; every Preferences box says "DISABLE".
struct ToggleMessages
{
    std::string_view enabled;
    std::string_view disabled;

    [[nodiscard]] constexpr std::string_view forState(bool ticked) const { return ticked ? enabled : disabled; }
};

// clang-format off
inline constexpr ToggleMessages kAutorun            {"ENABLED autorun",             "DISABLED autorun"};
inline constexpr ToggleMessages kLogEvents          {"ENABLED Log Events",          "DISABLE Log Events"};
inline constexpr ToggleMessages kDiskStatus         {"ENABLED disk status",         "DISABLE disk status"};
inline constexpr ToggleMessages kHibernation        {"ENABLED hibernation",         "DISABLE hibernation"};
inline constexpr ToggleMessages kTemperatureWarning {"ENABLED temperature warning", "DISABLE temperature warning"};
inline constexpr ToggleMessages kPopupNotification  {"ENABLED popup notification",  "DISABLE popup notification"};
inline constexpr ToggleMessages kEmailNotification  {"ENABLED email notification",  "DISABLE email notification"};
inline constexpr ToggleMessages kPlaySound          {"ENABLED play sound",          "DISABLE play sound"};
// clang-format on

// "SEND email to : " + the address as stored.
[[nodiscard]] inline std::string sendEmailTo(std::string_view address)
{
    return std::string(kSendEmailTo) + std::string(address);
}

// "Temperature is over maximum: 52 > 50"; numbers in plain decimal.
[[nodiscard]] inline std::string temperatureOverMaximum(std::int32_t temperature, std::uint8_t alertTemperature)
{
    return std::string(kTemperatureOverMaximum) + std::to_string(temperature) + std::string(kOverMaximumSeparator)
        + std::to_string(alertTemperature);
}

// "CHANGED the alert temperature to: 45" followed by the degree sign.
[[nodiscard]] inline std::string changedAlertTemperature(std::uint8_t alertTemperature)
{
    return std::string(kChangedAlertTemperature) + std::to_string(alertTemperature) + kDegreeSign;
}

// "CHANGED max temperature: 55" followed by the degree sign (no letter C).
[[nodiscard]] inline std::string changedMaxTemperature(std::int32_t temperature)
{
    return std::string(kChangedMaxTemperature) + std::to_string(temperature) + kDegreeSign;
}

// "Hibernate on 59s": the countdown in the caption.
[[nodiscard]] inline std::string hibernateOn(std::uint8_t seconds)
{
    return "Hibernate on " + std::to_string(seconds) + "s";
}

// A failed channel's line: `prefix` and the reason on one line (line breaks and other
// control characters become blanks, trailing blanks go).
[[nodiscard]] inline std::string channelFailed(std::string_view prefix, std::string_view reason)
{
    std::string line(prefix);
    for (const char c : reason) {
        line += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
    while (line.size() > prefix.size() && line.back() == ' ') {
        line.pop_back();
    }
    return line.size() > prefix.size() ? line : line + "no reason given";
}

[[nodiscard]] inline std::string changedEmailAddress(std::string_view address)
{
    return std::string(kChangedEmailAddress) + std::string(address);
}

[[nodiscard]] inline std::string changedSoundFile(std::string_view path)
{
    return std::string(kChangedSoundFile) + std::string(path);
}

} // namespace orvane::msg
