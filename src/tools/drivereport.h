// SPDX-License-Identifier: MIT
#pragma once

#include "drive/driveprobe.h"
#include "drive/drivetransport.h"
#include "platform/replay/driverecording.h"

#include <functional>
#include <string>
#include <vector>

namespace orvane {

// Everything the window shows of one drive: its drive-list row and its two reports.
struct DriveReport
{
    ProbedDrive drive;
    std::vector<std::string> row;
    std::vector<std::vector<std::string>> diskInfo;
    std::vector<std::vector<std::string>> smartInfo;
};

// The start-up probe of drives 0 to 3, then the details refresh of each drive found, with
// the same operations the window runs.
[[nodiscard]] std::vector<DriveReport> ReportDrives(DriveTransport &transport);

// Why each drive of 0 to 3 that exists could not be read, in number order: one that does not
// open (`openProblem` gives the reason, empty for no such drive) or one that answered no
// ATA command (`commandHint` is added to that text).
[[nodiscard]] std::vector<std::string> UnreadableDrives(const std::vector<DriveReport> &reports,
                                                        const std::function<std::string(unsigned)> &openProblem,
                                                        const std::string &commandHint);

// The exit status bits of kExitDriveUnreadable and kExitBadAttribute that the reports call for.
[[nodiscard]] int DriveExitStatus(const std::vector<DriveReport> &reports, std::size_t unreadable);

// Reads drive `drive` as a recording: the requests of a temperature reading, each reply
// kept when the drive answered.
[[nodiscard]] DriveRecording RecordDrive(DriveTransport &transport, std::uint8_t drive);

} // namespace orvane
