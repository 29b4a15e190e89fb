// SPDX-License-Identifier: MIT
#include "platform/linux/linuxlogclock.h"

#include "text/cp1252.h"

#include <langinfo.h>
#include <time.h>

namespace orvane {

LinuxLogClock::LinuxLogClock()
    : m_locale(newlocale(LC_TIME_MASK | LC_CTYPE_MASK, "", nullptr))
{
    if (m_locale == nullptr) {
        m_locale = newlocale(LC_TIME_MASK | LC_CTYPE_MASK, "C", nullptr);
    }
}

LinuxLogClock::~LinuxLogClock()
{
    if (m_locale != nullptr) {
        freelocale(m_locale);
    }
}

std::tm LinuxLogClock::localNow()
{
    const time_t now = time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::string LinuxLogClock::formatLongTime(const std::tm &time)
{
    const char *format = m_locale != nullptr ? nl_langinfo_l(T_FMT, m_locale) : "%H:%M:%S";
    if (format == nullptr || format[0] == '\0') {
        format = "%H:%M:%S";
    }
    char text[128];
    const std::size_t length = m_locale != nullptr ? strftime_l(text, sizeof text, format, &time, m_locale)
                                                   : strftime(text, sizeof text, format, &time);
    // The locale's texts (AM/PM in its language) are UTF-8 here; the log holds Windows-1252.
    return utf8ToCp1252(std::string_view(text, length));
}

} // namespace orvane
