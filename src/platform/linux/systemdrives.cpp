#include "platform/systemdrives.h"

#include "platform/linux/linuxdrivecontrol.h"

#include <unistd.h>

namespace orvane {

std::unique_ptr<DriveControl> CreateSystemDriveControl()
{
    return std::make_unique<LinuxDriveControl>();
}

std::string SystemDriveOpenProblem(unsigned number)
{
    LinuxDriveControl disks;
    const DeviceHandle handle = disks.createFile(physicalDrivePath(std::to_string(number)));
    if (handle != kInvalidHandle) {
        disks.closeHandle(handle);
        return {};
    }
    if (disks.devicePath(number).empty()) {
        return {};
    }
    return disks.lastError() + (::geteuid() != 0 ? "; run as root or grant CAP_SYS_RAWIO" : "");
}

std::string SystemDriveCommandHint()
{
    return ::geteuid() != 0
        ? " (reading S.M.A.R.T. data needs root, or CAP_SYS_RAWIO for ATA and CAP_SYS_ADMIN for NVMe disks)"
        : "";
}

} // namespace orvane
