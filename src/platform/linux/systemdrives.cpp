// SPDX-License-Identifier: MIT
#include "platform/systemdrives.h"

#include "platform/linux/linuxdrivecontrol.h"

#include <unistd.h>

namespace orvane {

namespace {

// The disks of /sys/block; those this user may not open are read through the drive reader.
std::unique_ptr<LinuxDriveControl> systemDisks()
{
    return std::make_unique<LinuxDriveControl>("/sys/block", "/dev",
                                               std::make_unique<DriveReaderClient>(findDriveReader()));
}

} // namespace

std::unique_ptr<DriveControl> CreateSystemDriveControl()
{
    return systemDisks();
}

std::string SystemDriveOpenProblem(unsigned number)
{
    const std::unique_ptr<LinuxDriveControl> owner = systemDisks();
    LinuxDriveControl &disks = *owner;
    const DeviceHandle handle = disks.createFile(physicalDrivePath(std::to_string(number)));
    if (handle != kInvalidHandle) {
        disks.closeHandle(handle);
        return {};
    }
    if (disks.devicePath(number).empty()) {
        return {};
    }
    return disks.lastError()
        + (::geteuid() != 0 ? "; install orvane-drive-reader with its capabilities, or run as root" : "");
}

std::string SystemDriveCommandHint()
{
    return ::geteuid() != 0 ? " (reading S.M.A.R.T. data needs root or orvane-drive-reader with its capabilities)" : "";
}

} // namespace orvane
