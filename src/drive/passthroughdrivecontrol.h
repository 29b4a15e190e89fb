// SPDX-License-Identifier: MIT
#pragma once

#include "drive/drivecontrol.h"
#include "drive/driverequest.h"

#include <optional>

namespace orvane {

// A drive control for systems without the Windows disk driver: it decodes each request once
// (decodeDriveRequest), answers it in the driver's reply format, and leaves the back-end only
// the carrying of an already checked command to the drive. Refused requests fail here and
// never reach the back-end.
class PassThroughDriveControl : public DriveControl
{
public:
    bool deviceIoControl(DeviceHandle handle, std::uint32_t code, std::span<const std::uint8_t> in,
                         std::span<std::uint8_t> out) final;

protected:
    // The device map byte of the version block for the open drive `handle` (bit N: ATA
    // drive N, bit 4 + N: packet drive N); nothing when the handle is not open or the drive
    // gives no version block.
    [[nodiscard]] virtual std::optional<std::uint8_t> deviceMap(DeviceHandle handle) = 0;

    // Carries `command` to the open drive `handle`. True when the drive completed it; a
    // data-in command has then filled `sector`. False when the handle is not open or the
    // drive failed; `sector` may then hold anything.
    [[nodiscard]] virtual bool ataPassThrough(DeviceHandle handle, const AtaCommand &command,
                                              std::span<std::uint8_t, kSectorSize> sector) = 0;

    // Carries one of the two NVMe commands to the open drive `handle`. True when the drive
    // completed it and filled `data` (the command's size, nvmeDataSize); false when the handle
    // is not open, the drive is no NVMe drive or it failed; `data` may then hold anything.
    [[nodiscard]] virtual bool nvmeAdminCommand(DeviceHandle handle, NvmeCommand command,
                                                std::span<std::uint8_t> data) = 0;
};

} // namespace orvane
