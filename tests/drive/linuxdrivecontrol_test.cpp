// SPDX-License-Identifier: MIT
#include "drive/smartstructs.h"
#include "platform/linux/blockdevices.h"
#include "platform/linux/linuxdrivecontrol.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace orvane {
namespace {

SENDCMDINPARAMS attributeRead()
{
    SENDCMDINPARAMS b{};
    b.irDriveRegs = {kSmartReadAttributeValues, 1, 1, kSmartCylLow, kSmartCylHigh, 0xA0, kAtaSmartCommand, 0};
    return b;
}

class FakeSysfs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = std::filesystem::temp_directory_path() / ("orvane-sysfs-" + std::to_string(::getpid()));
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root / "dev");
        for (const char *name : {"sdb", "sda", "loop0", "nvme0n1", "dm-0", "md127", "zram0", "ram0", "sr0", "vda",
                                 "hdc", "nvme0c0n1", "mmcblk0"}) {
            std::filesystem::create_directories(root / "block" / name);
        }
        std::ofstream(root / "block/hdc/media") << "cdrom\n";
        for (const char *dev : {"sda", "sdb", "hdc", "nvme0n1"}) {
            std::ofstream(root / "dev" / dev) << "not a disk";
        }
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    std::filesystem::path root;
};

TEST_F(FakeSysfs, WholeDisksAreTheDisksInNameOrder)
{
    const std::vector<BlockDevice> disks = wholeDisks((root / "block").string());
    std::vector<std::string> names;
    for (const BlockDevice &d : disks) {
        names.push_back(d.name + (d.atapi ? "*" : ""));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"hdc*", "nvme0n1", "sda", "sdb", "vda"}));
}

TEST_F(FakeSysfs, DrivesOpenByPositionAndAnswerTheVersionThemselves)
{
    LinuxDriveControl control((root / "block").string(), (root / "dev").string());
    const DeviceHandle atapi = control.createFile("\\\\.\\PhysicalDrive0");
    const DeviceHandle sda = control.createFile("\\\\.\\PhysicalDrive2");
    ASSERT_NE(atapi, kInvalidHandle);
    ASSERT_NE(sda, kInvalidHandle);
    GETVERSIONINPARAMS version{};
    auto out = std::span<std::uint8_t>(reinterpret_cast<std::uint8_t *>(&version), sizeof version);
    ASSERT_TRUE(control.deviceIoControl(atapi, kSmartGetVersion, {}, out));
    EXPECT_EQ(version.bIDEDeviceMap, 0x10);
    ASSERT_TRUE(control.deviceIoControl(sda, kSmartGetVersion, {}, out));
    EXPECT_EQ(version.bIDEDeviceMap, 0x04);

    // A regular file is no disk: the pass-through request fails, and nothing breaks.
    SENDCMDINPARAMS command = attributeRead();
    std::array<std::uint8_t, kDataReplySize> reply{};
    EXPECT_FALSE(control.deviceIoControl(sda, kSmartRcvDriveData,
                                         {reinterpret_cast<std::uint8_t *>(&command), kCommandBytesSent}, reply));
    control.closeHandle(atapi);
    control.closeHandle(sda);
    EXPECT_FALSE(control.deviceIoControl(sda, kSmartGetVersion, {}, out));
}

TEST_F(FakeSysfs, AnOpenThatFailsSaysWhy)
{
    LinuxDriveControl control((root / "block").string(), (root / "dev").string());
    EXPECT_EQ(control.createFile("\\\\.\\PhysicalDrive5"), kInvalidHandle);
    EXPECT_EQ(control.lastError(), "no such disk");
    EXPECT_EQ(control.createFile("\\\\.\\PhysicalDrive4"), kInvalidHandle); // vda has no device file
    EXPECT_EQ(control.lastError(), (root / "dev/vda").string() + ": No such file or directory");
    EXPECT_EQ(control.devicePath(4), (root / "dev/vda").string());
    EXPECT_EQ(control.devicePath(5), "");
}

} // namespace
} // namespace orvane
