// SPDX-License-Identifier: MIT
#pragma once

#include "drive/passthroughdrivecontrol.h"
#include "platform/linux/blockdevices.h"
#include "platform/linux/drivereaderclient.h"
#include "platform/linux/filedescriptor.h"

#include <map>
#include <memory>
#include <string>

namespace orvane {

// The disk driver on Linux: "\\.\PhysicalDriveN" is the N-th whole disk, and the checked ATA
// commands travel to it with SG_IO as ATA PASS-THROUGH (16). The version block's device map
// comes from the disk list, since Linux has no such request; for an NVMe disk there is none,
// as the Windows NVMe driver answers no version request, and the two checked NVMe commands
// travel to it as NVME_IOCTL_ADMIN_CMD instead.
//
// A disk that this process may not open (EACCES, EPERM: an ordinary user) is read through
// `reader`, the privileged drive reader, when there is one: the checked ATA and NVMe commands
// go to it instead, and it opens the same disk for each of them. So is a disk that opens
// (group disk) but whose commands the kernel refuses for want of a capability.
class LinuxDriveControl : public PassThroughDriveControl
{
public:
    explicit LinuxDriveControl(std::string sysBlock = "/sys/block", std::string devDir = "/dev",
                               std::unique_ptr<DriveReaderLink> reader = nullptr);

    DeviceHandle createFile(const std::string &path) override;
    void closeHandle(DeviceHandle handle) override;

    // Why the last createFile failed, or the last request could not be sent ("no such disk",
    // "/dev/sda: Permission denied"); empty when it worked.
    [[nodiscard]] const std::string &lastError() const { return m_lastError; }

    // The device file of "\\.\PhysicalDriveN", or empty when there is no such disk.
    [[nodiscard]] std::string devicePath(unsigned number) const;

protected:
    std::optional<std::uint8_t> deviceMap(DeviceHandle handle) override;
    bool ataPassThrough(DeviceHandle handle, const AtaCommand &command,
                        std::span<std::uint8_t, kSectorSize> sector) override;
    bool nvmeAdminCommand(DeviceHandle handle, NvmeCommand command, std::span<std::uint8_t> data) override;

private:
    struct OpenDisk
    {
        FileDescriptor fd; // none for a disk that the reader opens
        unsigned number;
        bool atapi;
        bool nvme;
    };

    // `refusal` is why this process could not open the disk; it must not be m_lastError,
    // which asking the reader overwrites.
    DeviceHandle openThroughReader(unsigned number, const BlockDevice &disk, const std::string &refusal);
    // Sends one request body for drive `number` to the reader; true when the drive completed
    // it and the reply brought exactly `data`'s size, which it then fills.
    bool readerCommand(unsigned number, const std::vector<std::uint8_t> &request, std::span<std::uint8_t> data);
    // The reader takes over `disk` when this process was refused for want of a privilege.
    [[nodiscard]] bool readerCanTakeOver(const OpenDisk &disk, int error) const;
    // The reply of the reader, or nothing with m_lastError set.
    std::optional<ReaderReply> askReader(const std::vector<std::uint8_t> &request, const std::string &device);

    std::string m_sysBlock;
    std::string m_devDir;
    std::unique_ptr<DriveReaderLink> m_reader;
    std::map<DeviceHandle, OpenDisk> m_open; // closed with the map entry
    DeviceHandle m_nextReaderHandle = DeviceHandle{1} << 30; // above every descriptor
    std::string m_lastError;
};

} // namespace orvane
