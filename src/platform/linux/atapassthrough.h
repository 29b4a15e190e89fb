// SPDX-License-Identifier: MIT
#pragma once

#include "drive/driverequest.h"

#include <array>
#include <cstdint>
#include <span>

namespace orvane {

// The SCSI ATA PASS-THROUGH (16) command that carries one of the program's ATA commands
// to a disk behind the kernel's SCSI layer (libata, USB and SAS bridges alike).
struct AtaPassThrough
{
    std::array<std::uint8_t, 16> cdb{};
    bool dataIn = false; // one 512-byte sector comes back
};

// The pass-through command that carries one checked ATA command (28-bit, PIO data-in for
// the reads, non-data for ENABLE OPERATIONS).
[[nodiscard]] AtaPassThrough buildAtaPassThrough(const AtaCommand &command);

// The outcome of a pass-through command as the SCSI layer reports it.
struct PassThroughStatus
{
    std::uint8_t scsiStatus = 0; // SAM status: 0 GOOD, 2 CHECK CONDITION
    std::uint16_t hostStatus = 0;
    std::uint16_t driverStatus = 0;
    std::span<const std::uint8_t> sense;
    std::int32_t residual = 0; // bytes of the data transfer that never arrived
};

// True when the drive completed the command without error. Some bridges answer CHECK
// CONDITION with "ATA pass-through information available" even when not asked for the
// result registers; that counts as success when the returned ATA status has no error bit.
// A read that came back short failed whatever the status says: the missing bytes would
// pass for the drive's data.
[[nodiscard]] bool passThroughSucceeded(const PassThroughStatus &status);

// Sends `command` with SG_IO to the open disk `fd`. True when the drive completed it; a
// data-in command has then filled `sector`. False with `error` set to the system's error
// number when the request could not be sent (no CAP_SYS_RAWIO: EPERM; no such ioctl:
// ENOTTY), or 0 when the drive or the bridge failed the command.
[[nodiscard]] bool sendAtaPassThrough(int fd, const AtaCommand &command, std::span<std::uint8_t, kSectorSize> sector,
                                      int &error);

} // namespace orvane
