// SPDX-License-Identifier: MIT
#pragma once

#include "monitor/logclock.h"

namespace orvane {

// The local clock (GetLocalTime) and the user's long time format (GetTimeFormatA with the
// user's default locale, in the ANSI code page).
class WindowsLogClock : public LogClock
{
public:
    [[nodiscard]] std::tm localNow() override;
    [[nodiscard]] std::string formatLongTime(const std::tm &time) override;
};

} // namespace orvane
