// SPDX-License-Identifier: MIT
// The Linux back-end's NVMe side: the admin commands it builds, and which disks it sends
// them to.
#include "drive/smartstructs.h"
#include "platform/linux/linuxdrivecontrol.h"
#include "platform/linux/nvmeadmin.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace orvane {
namespace {

TEST(BuildNvmeAdminCommand, IdentifiesTheController)
{
    NvmeIdentifyData data{};
    const nvme_passthru_cmd cmd = buildNvmeAdminCommand(NvmeCommand::IdentifyController, data);
    EXPECT_EQ(cmd.opcode, 0x06);
    EXPECT_EQ(cmd.flags, 0);
    EXPECT_EQ(cmd.nsid, 0u);
    EXPECT_EQ(cmd.addr, reinterpret_cast<std::uintptr_t>(data.data()));
    EXPECT_EQ(cmd.data_len, 4096u);
    EXPECT_EQ(cmd.cdw10, 1u); // CNS 01h: the controller
    EXPECT_EQ(cmd.cdw11, 0u);
    EXPECT_EQ(cmd.metadata, 0u);
    EXPECT_EQ(cmd.metadata_len, 0u);
    EXPECT_GT(cmd.timeout_ms, 0u);
}

TEST(BuildNvmeAdminCommand, ReadsTheGlobalHealthLog)
{
    NvmeHealthLog data{};
    const nvme_passthru_cmd cmd = buildNvmeAdminCommand(NvmeCommand::HealthLog, data);
    EXPECT_EQ(cmd.opcode, 0x02);
    EXPECT_EQ(cmd.nsid, 0xFFFFFFFFu);
    EXPECT_EQ(cmd.addr, reinterpret_cast<std::uintptr_t>(data.data()));
    EXPECT_EQ(cmd.data_len, 512u);
    EXPECT_EQ(cmd.cdw10, 0x007F0002u); // NUMDL 127 (128 dwords), log 02h
    EXPECT_EQ(cmd.cdw11, 0u); // NUMDU, log specific identifier
    EXPECT_EQ(cmd.cdw12, 0u); // offset
    EXPECT_EQ(cmd.cdw13, 0u);
    EXPECT_EQ(cmd.cdw14, 0u);
}

TEST(LinuxDriveControl, AnNvmeDiskFailsTheVersionAndOnlyItIsSentTheQuery)
{
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("orvane-nvme-sysfs-" + std::to_string(::getpid()));
    std::filesystem::remove_all(root);
    for (const char *name : {"nvme0n1", "sda"}) {
        std::filesystem::create_directories(root / "block" / name);
        std::filesystem::create_directories(root / "dev");
        std::ofstream(root / "dev" / name) << "not a disk";
    }
    LinuxDriveControl control((root / "block").string(), (root / "dev").string());
    const DeviceHandle nvme = control.createFile("\\\\.\\PhysicalDrive0");
    const DeviceHandle sda = control.createFile("\\\\.\\PhysicalDrive1");
    ASSERT_NE(nvme, kInvalidHandle);
    ASSERT_NE(sda, kInvalidHandle);

    std::array<std::uint8_t, sizeof(GETVERSIONINPARAMS)> version{};
    EXPECT_FALSE(control.deviceIoControl(nvme, kSmartGetVersion, {}, version));
    EXPECT_TRUE(control.deviceIoControl(sda, kSmartGetVersion, {}, version));

    const std::vector<std::uint8_t> query = nvmeQuery(NvmeCommand::HealthLog);
    std::vector<std::uint8_t> out(query.size());
    EXPECT_FALSE(control.deviceIoControl(sda, kIoctlStorageQueryProperty, query, out));
    EXPECT_EQ(control.lastError(), ""); // refused before any system call
    // A regular file takes no admin command: the ioctl itself fails, and says why.
    EXPECT_FALSE(control.deviceIoControl(nvme, kIoctlStorageQueryProperty, query, out));
    EXPECT_NE(control.lastError(), "");

    control.closeHandle(nvme);
    control.closeHandle(sda);
    std::filesystem::remove_all(root);
}

} // namespace
} // namespace orvane
