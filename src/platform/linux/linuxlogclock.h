// SPDX-License-Identifier: MIT
#pragma once

#include "monitor/logclock.h"

#include <locale.h>

namespace orvane {

// The local clock, and the time format of the user's locale (LC_ALL, LC_TIME or LANG as
// they stand when the clock is made): its T_FMT, what Windows calls the long time format.
// A locale that cannot be loaded falls back to "C" (24 hours with seconds).
class LinuxLogClock : public LogClock
{
public:
    LinuxLogClock();
    ~LinuxLogClock() override;

    LinuxLogClock(const LinuxLogClock &) = delete;
    LinuxLogClock &operator=(const LinuxLogClock &) = delete;

    [[nodiscard]] std::tm localNow() override;
    [[nodiscard]] std::string formatLongTime(const std::tm &time) override;

private:
    locale_t m_locale = nullptr;
};

} // namespace orvane
