// SPDX-License-Identifier: MIT
#pragma once

#include "drive/drivecontrol.h"

#include <memory>
#include <string>

namespace orvane {

// The operating system's own drives, as the platform folder of this build provides them.
[[nodiscard]] std::unique_ptr<DriveControl> CreateSystemDriveControl();

// Why "\\.\PhysicalDriveN" exists but cannot be opened ("/dev/sdb: Permission denied; run
// as root ..."); empty when it opens or when there is no such disk.
[[nodiscard]] std::string SystemDriveOpenProblem(unsigned number);

// A hint to add when an opened drive answers no command (missing privileges), or empty.
[[nodiscard]] std::string SystemDriveCommandHint();

} // namespace orvane
