// SPDX-License-Identifier: MIT
#pragma once

#include "drive/nvmerequest.h"
#include "drive/smartstructs.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace orvane {

// Every drive is opened by this path followed by its number in decimal.
inline constexpr std::string_view kPhysicalDrivePrefix = "\\\\.\\PhysicalDrive";

// "\\.\PhysicalDrive" followed by `driveName` unchanged.
[[nodiscard]] std::string physicalDrivePath(std::string_view driveName);

// The drive number a device path names ("\\.\PhysicalDrive" and up to three decimal digits,
// no sign, no leading zeros), or nothing.
[[nodiscard]] std::optional<unsigned> physicalDriveNumber(std::string_view path);

// The only ATA commands this program ever lets reach a drive: the identity reads, and the
// S.M.A.R.T. ENABLE OPERATIONS and two reads. Nothing that writes or changes a drive.
enum class AtaCommandKind : std::uint8_t {
    IdentifyDevice,
    IdentifyPacketDevice,
    SmartEnableOperations,
    SmartReadAttributeValues,
    SmartReadAttributeThresholds,
};

// The task-file registers of a 28-bit ATA command, as the request block carried them.
struct AtaRegisters
{
    std::uint8_t features = 0;
    std::uint8_t sectorCount = 0;
    std::uint8_t sectorNumber = 0;
    std::uint8_t cylLow = 0;
    std::uint8_t cylHigh = 0;
    std::uint8_t driveHead = 0;
    std::uint8_t command = 0;

    bool operator==(const AtaRegisters &) const = default;
};

// One checked ATA command: a back-end only carries it to the drive.
struct AtaCommand
{
    AtaCommandKind kind = AtaCommandKind::IdentifyDevice;
    AtaRegisters registers;
    std::uint8_t driveNumber = 0; // bDriveNumber of the request block

    // True for the commands that bring one 512-byte sector back.
    [[nodiscard]] bool dataIn() const { return kind != AtaCommandKind::SmartEnableOperations; }
};

// The driver's version block is asked for (kSmartGetVersion); the back-end supplies the
// device map of the open drive.
struct VersionRequest
{
};

// A request a back-end may carry: the version block, an ATA command, or one of the two NVMe
// commands (Identify Controller, the health log; nvmerequest.h).
using DriveRequest = std::variant<VersionRequest, AtaCommand, NvmeCommand>;

// Decodes one request of the disk-driver interface (request code, the bytes of the
// SENDCMDINPARAMS block or of the storage query, the size of the reply area). Yields nothing
// for any code, command, feature or query outside the allow-list, and for an input block or
// reply area too small for the request; such a request must fail without reaching a drive.
[[nodiscard]] std::optional<DriveRequest> decodeDriveRequest(std::uint32_t code, std::span<const std::uint8_t> in,
                                                             std::size_t replySize);

// Writes the version block (24 bytes) the Windows driver gives for `deviceMap`: version 1.1,
// capabilities ATA ID, ATAPI ID and S.M.A.R.T. commands. `out` holds at least 24 bytes.
void writeVersionReply(std::span<std::uint8_t> out, std::uint8_t deviceMap);

// Fills the reply area as the Windows driver fills SENDCMDOUTPARAMS: the size of the data, a
// clear driver status, then `sector` (empty for ENABLE OPERATIONS); the rest is zero.
// `out` holds at least 16 bytes, or 528 with a sector.
void writeCommandReply(std::span<std::uint8_t> out, std::span<const std::uint8_t> sector);

} // namespace orvane
