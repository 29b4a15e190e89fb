#pragma once

#include "drive/driveprobe.h"
#include "drive/drivetransport.h"
#include "platform/replay/driverecording.h"

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

// Reads drive `drive` as a recording: the requests of a temperature reading, each reply
// kept when the drive answered.
[[nodiscard]] DriveRecording RecordDrive(DriveTransport &transport, std::uint8_t drive);

} // namespace orvane
