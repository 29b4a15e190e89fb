// SPDX-License-Identifier: MIT
#pragma once

#include "drive/nvmestructs.h"
#include "drive/reportlist.h"

#include <cstdint>
#include <span>
#include <string>

namespace orvane {

using NvmeIdentify = std::span<const std::uint8_t, kNvmeIdentifySize>;

// Byte offsets in the Identify Controller data (all text fields are ASCII, blank-filled,
// in the order the drive sends them: no byte exchange as in an ATA identify sector).
inline constexpr std::size_t kNvmeVendorIdOffset = 0; // VID, 16-bit
inline constexpr std::size_t kNvmeSerialOffset = 4, kNvmeSerialLength = 20; // SN
inline constexpr std::size_t kNvmeModelOffset = 24, kNvmeModelLength = 40; // MN
inline constexpr std::size_t kNvmeFirmwareOffset = 64, kNvmeFirmwareLength = 8; // FR
inline constexpr std::size_t kNvmeVersionOffset = 80; // VER, 32-bit
inline constexpr std::size_t kNvmeWarningTempOffset = 266; // WCTEMP, Kelvin, 16-bit
inline constexpr std::size_t kNvmeCriticalTempOffset = 268; // CCTEMP, Kelvin, 16-bit
inline constexpr std::size_t kNvmeNamespacesOffset = 516; // NN, 32-bit

// Little-endian fields of the drive's data.
[[nodiscard]] std::uint16_t nvmeWord(std::span<const std::uint8_t> data, std::size_t offset);
[[nodiscard]] std::uint32_t nvmeDword(std::span<const std::uint8_t> data, std::size_t offset);

// A text field as the drive sends it, up to its first zero byte; blanks stay.
[[nodiscard]] std::string nvmeText(NvmeIdentify identify, std::size_t offset, std::size_t length);

// A temperature the drive gives in Kelvin, as "38\xB0C" (Windows-1252); 0 Kelvin means the
// drive reports none: "N/A".
[[nodiscard]] std::string kelvinText(std::uint32_t kelvin);

// The model number shown in the drive list: bytes 24-63.
[[nodiscard]] std::string nvmeModel(NvmeIdentify identify);

// The Disk Info rows of an NVMe drive: "NVMe N" (valued "Health log supported" when the
// health log could be read), model, firmware, serial, PCI vendor, version, the two
// composite temperature thresholds and the number of namespaces.
void listNvmeIdentityRows(ReportList &diskInfo, NvmeIdentify identify, std::uint8_t drive, bool healthSupported);

} // namespace orvane
