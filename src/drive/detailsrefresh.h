// SPDX-License-Identifier: MIT
#pragma once

#include "drive/drivetransport.h"
#include "drive/reportlist.h"

#include <string_view>

namespace orvane {

// Fills the Disk Info and S.M.A.R.T. Info reports for the drive named by `driveText` (the
// caption of its drive-list row). A drive that cannot be opened leaves both reports as
// they were; every other failure only leaves rows out. A text that is not a drive number
// (decimal, 0 to 255) closes the drive and leaves both reports empty.
void ShowDriveDetails(DriveTransport &transport, std::string_view driveText, ReportList &diskInfo,
                      ReportList &smartInfo);

} // namespace orvane
