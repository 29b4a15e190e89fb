#pragma once

#include "drive/smartstructs.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace orvane {

// The SCSI ATA PASS-THROUGH (16) command that carries one of the program's ATA commands
// to a disk behind the kernel's SCSI layer (libata, USB and SAS bridges alike).
struct AtaPassThrough
{
    std::array<std::uint8_t, 16> cdb{};
    bool dataIn = false; // one 512-byte sector comes back
};

// Translates a request of the disk-driver interface into the pass-through command. Only
// ENABLE OPERATIONS (SMART_SEND_DRIVE_COMMAND) and IDENTIFY DEVICE, IDENTIFY PACKET DEVICE,
// READ ATTRIBUTE VALUES and READ ATTRIBUTE THRESHOLDS (SMART_RCV_DRIVE_DATA) translate;
// anything else yields nothing and must never reach a disk.
[[nodiscard]] std::optional<AtaPassThrough> BuildAtaPassThrough(std::uint32_t code, const SENDCMDINPARAMS &command);

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
[[nodiscard]] bool PassThroughSucceeded(const PassThroughStatus &status);

} // namespace orvane
