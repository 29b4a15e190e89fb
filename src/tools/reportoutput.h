// SPDX-License-Identifier: MIT
#pragma once

#include "tools/drivereport.h"

#include <string>
#include <vector>

namespace orvane {

// {"drives":[{"row":[...],"reading":{...},"disk_info":[[...]],"smart_info":[[...]]},...]}
// with every cell the text the window shows, in UTF-8.
[[nodiscard]] std::string FormatJson(const std::vector<DriveReport> &reports);

// The drive list, then each drive's Disk Info and S.M.A.R.T. Info, as aligned tables.
[[nodiscard]] std::string FormatTables(const std::vector<DriveReport> &reports);

} // namespace orvane
