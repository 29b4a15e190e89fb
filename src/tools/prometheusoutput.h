// SPDX-License-Identifier: MIT
#pragma once

#include "tools/drivereport.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// The drive list and every attribute in the Prometheus text exposition format (version
// 0.0.4), for node_exporter's textfile collector. Every sample carries the labels drive,
// model and serial (trimmed of the blanks that pad the identify fields); the attribute
// samples add id (decimal) and name. A drive without a temperature has no temperature
// sample, rather than a number that looks like one. `unreadable` is the count of drives
// that exist but could not be read.
[[nodiscard]] std::string FormatPrometheus(const std::vector<DriveReport> &reports, std::size_t unreadable);

// A label value of Windows-1252 text as UTF-8 with backslash, double quote and line feed
// escaped, without the quotes around it.
[[nodiscard]] std::string PrometheusLabelValue(std::string_view cp1252);

} // namespace orvane
