#pragma once

#include "drive/drivecontrol.h"
#include "platform/linux/blockdevices.h"

#include <map>
#include <string>

namespace orvane {

// The disk driver on Linux: "\\.\PhysicalDriveN" is the N-th whole disk, and the ATA
// commands travel to it with SG_IO as ATA PASS-THROUGH (16). The version block is answered
// here, since Linux has no such request; for an NVMe disk it fails, as the Windows NVMe
// driver's does, and the two NVMe queries travel as NVME_IOCTL_ADMIN_CMD instead.
class LinuxDriveControl : public DriveControl
{
public:
    explicit LinuxDriveControl(std::string sysBlock = "/sys/block", std::string devDir = "/dev");
    ~LinuxDriveControl() override;

    DeviceHandle createFile(const std::string &path) override;
    bool deviceIoControl(DeviceHandle handle, std::uint32_t code, std::span<const std::uint8_t> in,
                         std::span<std::uint8_t> out) override;
    void closeHandle(DeviceHandle handle) override;

    // Why the last createFile failed, or the last request could not be sent ("no such disk",
    // "/dev/sda: Permission denied"); empty when it worked.
    [[nodiscard]] const std::string &lastError() const { return m_lastError; }

    // The device file of "\\.\PhysicalDriveN", or empty when there is no such disk.
    [[nodiscard]] std::string devicePath(unsigned number) const;

private:
    struct OpenDisk
    {
        unsigned number;
        bool atapi;
        bool nvme;
    };

    bool answerVersion(const OpenDisk &disk, std::span<std::uint8_t> out) const;
    bool sendNvmeCommand(DeviceHandle fd, std::span<const std::uint8_t> in, std::span<std::uint8_t> out);
    bool sendAtaCommand(DeviceHandle fd, std::uint32_t code, std::span<const std::uint8_t> in,
                        std::span<std::uint8_t> out);

    std::string m_sysBlock;
    std::string m_devDir;
    std::map<DeviceHandle, OpenDisk> m_open;
    std::string m_lastError;
};

} // namespace orvane
