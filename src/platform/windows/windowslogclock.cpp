// SPDX-License-Identifier: MIT
#include "platform/windows/windowslogclock.h"

#include <cstdio>
#include <windows.h>

namespace orvane {

std::tm WindowsLogClock::localNow()
{
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    std::tm broken{};
    broken.tm_year = now.wYear - 1900;
    broken.tm_mon = now.wMonth - 1;
    broken.tm_mday = now.wDay;
    broken.tm_hour = now.wHour;
    broken.tm_min = now.wMinute;
    broken.tm_sec = now.wSecond;
    broken.tm_wday = now.wDayOfWeek;
    broken.tm_isdst = -1;
    return broken;
}

std::string WindowsLogClock::formatLongTime(const std::tm &time)
{
    SYSTEMTIME at{};
    at.wYear = static_cast<WORD>(time.tm_year + 1900);
    at.wMonth = static_cast<WORD>(time.tm_mon + 1);
    at.wDay = static_cast<WORD>(time.tm_mday);
    at.wHour = static_cast<WORD>(time.tm_hour);
    at.wMinute = static_cast<WORD>(time.tm_min);
    at.wSecond = static_cast<WORD>(time.tm_sec);
    char text[128] = {};
    const int length = ::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &at, nullptr, text, sizeof text);
    if (length > 1) {
        return std::string(text, static_cast<std::size_t>(length - 1));
    }
    // No locale answer: 24 hours with seconds.
    char fallback[16];
    std::snprintf(fallback, sizeof fallback, "%02d:%02d:%02d", time.tm_hour % 100, time.tm_min % 100,
                  time.tm_sec % 100);
    return fallback;
}

} // namespace orvane
