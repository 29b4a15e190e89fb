// SPDX-License-Identifier: MIT
#pragma once

#include "drive/attrreading.h"
#include "drive/nvmestructs.h"
#include "drive/reportlist.h"

#include <cstdint>
#include <span>
#include <string>

namespace orvane {

using NvmeHealth = std::span<const std::uint8_t, kNvmeHealthLogSize>;

// Byte offsets in the SMART / Health Information log.
inline constexpr std::size_t kNvmeCriticalWarningOffset = 0;
inline constexpr std::size_t kNvmeCompositeTempOffset = 1; // Kelvin, 16-bit

// Critical Warning bits.
inline constexpr std::uint8_t kNvmeWarnSpare = 0x01; // available spare below its threshold
inline constexpr std::uint8_t kNvmeWarnTemperature = 0x02; // temperature past a threshold
inline constexpr std::uint8_t kNvmeWarnReliability = 0x04; // degraded by media or internal errors

// A little-endian unsigned number of up to 16 bytes in full decimal (the log's counters
// are 128 bits wide).
[[nodiscard]] std::string decimalText(std::span<const std::uint8_t> littleEndian);

// The temperature reading of an NVMe drive, shaped like an ATA one so that the drive list,
// the watch and the tray need nothing new: Raw is the composite temperature in degrees
// Celsius (kNoTemperature for 0 Kelvin); Threshold is 0 and Value and Worst are 1 without
// a Critical Warning and 0 with one, so the verdict reads "BAD" exactly when the drive warns.
// (The no-threshold mark of an ATA reading is not used: a drive that reports no
// temperature must still show its warning.)
[[nodiscard]] TAttrReading nvmeTemperature(NvmeHealth health);

// One SMART Info row per field of the log, ID = the field's byte offset in hex; the
// composite temperature's threshold is `warningKelvin` (WCTEMP of the identify data, 0 when
// unknown).
void listNvmeHealthRows(ReportList &smartInfo, NvmeHealth health, std::uint16_t warningKelvin);

} // namespace orvane
