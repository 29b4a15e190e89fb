#include "ui/logstamp.h"

#include <langinfo.h>

namespace orvane {

namespace {

std::string formatted(const std::tm &local, const char *format)
{
    char text[128];
    const std::size_t length = std::strftime(text, sizeof text, format, &local);
    return std::string(text, length);
}

} // namespace

std::string LocaleDateFormat()
{
    return nl_langinfo(D_FMT);
}

std::string LogStamp(std::time_t when, const std::string &dateFormat)
{
    std::tm local {};
    localtime_r(&when, &local);
    std::string stamp = formatted(local, dateFormat.c_str());
    if (local.tm_hour != 0 || local.tm_min != 0 || local.tm_sec != 0) {
        stamp += ' ';
        stamp += formatted(local, nl_langinfo(T_FMT));
    }
    return stamp;
}

} // namespace orvane
