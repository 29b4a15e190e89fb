// SPDX-License-Identifier: MIT
#include "drive/driveprobe.h"

#include "drive/attributes.h"
#include "drive/identity.h"

namespace orvane {

std::vector<std::string> driveRowTexts(std::uint8_t drive, const std::string &model, const TAttrReading &reading)
{
    return {std::to_string(drive), model, temperatureText(reading.Raw), AttrVerdict(reading)};
}

std::vector<ProbedDrive> probeDrives(DriveTransport &transport)
{
    std::vector<ProbedDrive> found;
    for (std::uint8_t drive = 0; drive < kProbedDrives; ++drive) {
        if (!transport.DriveExists(drive)) {
            continue;
        }
        ProbedDrive probed;
        probed.number = drive;
        probed.reading = ReadTemperature(transport, drive);
        probed.model = ReadDriveModel(transport, drive);
        found.push_back(std::move(probed));
    }
    return found;
}

} // namespace orvane
