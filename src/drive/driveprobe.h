// SPDX-License-Identifier: MIT
#pragma once

#include "drive/attrreading.h"
#include "drive/drivetransport.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

// The cell texts of a drive-list row: "ID", "Model", "Temp", "Status".
[[nodiscard]] std::vector<std::string> driveRowTexts(std::uint8_t drive, const std::string &model,
                                                     const TAttrReading &reading);

struct ProbedDrive
{
    std::uint8_t number = 0;
    std::string model;
    TAttrReading reading;
};

inline constexpr std::uint8_t kProbedDrives = 4; // drives 0 to 3

// The start-up probe: every drive of 0 to 3 that opens, in number order, with its
// temperature reading and model. Absent drives are left out.
[[nodiscard]] std::vector<ProbedDrive> probeDrives(DriveTransport &transport);

} // namespace orvane
