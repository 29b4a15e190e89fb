// SPDX-License-Identifier: MIT
#pragma once

#include "drive/drivetransport.h"
#include "drive/reportlist.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

// Byte offsets of the text fields in the IDENTIFY sector (words 10-19, 23-26, 27-46).
inline constexpr std::size_t kSerialOffset = 20, kSerialLength = 20;
inline constexpr std::size_t kFirmwareOffset = 46, kFirmwareLength = 8;
inline constexpr std::size_t kModelOffset = 54, kModelLength = 40;

// Exchanges the bytes 0 and 1, 2 and 3, ... of an area of even length.
void SwapWordBytes(std::uint8_t *bytes, std::size_t length);

// The text of an identify field: the drive stores two characters a word, the first in the
// high byte. The text runs to the first zero byte, or the whole field; blanks stay.
[[nodiscard]] std::string IdentityText(Sector identify, std::size_t offset, std::size_t length);

// Appends a row unless the name, stripped of leading and trailing bytes up to 32, is empty.
void AddDiskInfoRow(ReportList &diskInfo, const std::string &name, const std::string &value);

// The six register rows of the IDENTIFY command as sent, from sector count to command.
void ListRegisterRows(ReportList &diskInfo, const SENDCMDINPARAMS &command);

// The identity rows: thirteen for an ATA device (ECh), four for an ATAPI device (A1h).
void ListIdentityRows(ReportList &diskInfo, Sector identify, const SENDCMDINPARAMS &command,
                      std::uint8_t identifyCommand, std::uint8_t drive, bool smartSupported);

// The drive's 40-character model number, or an empty text when IDENTIFY fails.
[[nodiscard]] std::string ReadDriveModel(DriveTransport &transport, std::uint8_t drive);

} // namespace orvane
