#pragma once

#include <ctime>
#include <string>

namespace orvane {

// The short date format that start-up makes the process's own: "mm/dd/yyyy".
inline constexpr const char *kShortDateFormat = "%m/%d/%Y";

// The locale's own short date format, in force until start-up sets kShortDateFormat.
[[nodiscard]] std::string LocaleDateFormat();

// The stamp of a log line: the date in `dateFormat` (strftime), then a blank and the time
// in the locale's time format, unless the time is exactly 00:00:00.
[[nodiscard]] std::string LogStamp(std::time_t when, const std::string &dateFormat);

} // namespace orvane
