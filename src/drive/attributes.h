// SPDX-License-Identifier: MIT
#pragma once

#include "drive/attrreading.h"
#include "drive/drivetransport.h"
#include "drive/reportlist.h"

#include <cstdint>

namespace orvane {

// The attribute sector holds 30 slots of 12 bytes from offset 2; the threshold sector the
// same slots with the threshold in byte 1.
inline constexpr std::size_t kAttributeSlots = 30;
inline constexpr std::size_t kSlotSize = 12;
inline constexpr std::size_t kFirstSlot = 2;
inline constexpr std::uint8_t kTemperatureId = 0xC2; // 194

// The temperature reading of attribute 194 from the two sectors: Raw is raw byte 0 plus ten
// times raw byte 1, taken only in 1..100 (otherwise the normalized value stands in); without
// attribute 194 Raw and Threshold carry the no-temperature marks.
[[nodiscard]] TAttrReading DecodeTemperature(Sector attributes, Sector thresholds);

// One row for an attribute: ID in hex, name, threshold, value, worst, raw, verdict.
void AddSmartInfoRow(ReportList &smartInfo, std::uint8_t id, const std::string &name, const TAttrReading &reading);

// One row per attribute in slot order, up to the first empty slot.
void ListAttributeRows(ReportList &smartInfo, Sector attributes, Sector thresholds);

// Reads the drive's attribute and threshold sectors and decodes its temperature. Never
// fails: a drive whose attribute read fails yields the no-temperature marks, a failed
// threshold read leaves the thresholds 0.
[[nodiscard]] TAttrReading ReadTemperature(DriveTransport &transport, std::uint8_t drive);

} // namespace orvane
