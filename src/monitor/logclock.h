// SPDX-License-Identifier: MIT
#pragma once

#include <ctime>
#include <string>

namespace orvane {

// Where the activity log gets the time of day from. The operating system's back-end reads
// the local clock and the user's locale; tests stop time with a fake.
class LogClock
{
public:
    virtual ~LogClock() = default;

    // The current local date and time, broken down (tm_year counts from 1900, tm_mon from 0).
    [[nodiscard]] virtual std::tm localNow() = 0;

    // `time` in the user's long time format (for example "13:05:09" or "01:05:09 PM"), as
    // Windows-1252 text. Never fails: a locale that cannot be loaded falls back to 24 hours
    // with seconds.
    [[nodiscard]] virtual std::string formatLongTime(const std::tm &time) = 0;
};

} // namespace orvane
