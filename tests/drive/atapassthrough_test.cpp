#include "platform/linux/atapassthrough.h"
#include "platform/linux/blockdevices.h"
#include "platform/linux/linuxdrivecontrol.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace orvane {
namespace {

SENDCMDINPARAMS block(std::uint8_t features, std::uint8_t cylLow, std::uint8_t cylHigh, std::uint8_t driveHead,
                      std::uint8_t command)
{
    SENDCMDINPARAMS b{};
    b.irDriveRegs = {features, 1, 1, cylLow, cylHigh, driveHead, command, 0};
    return b;
}

using Cdb = std::array<std::uint8_t, 16>;

TEST(BuildAtaPassThrough, CarriesEachCommandAsAtaPassThrough16)
{
    struct Case
    {
        const char *what;
        std::uint32_t code;
        SENDCMDINPARAMS command;
        Cdb cdb;
        bool dataIn;
    };
    const Case cases[] = {
        {"enable, non-data",
         SMART_SEND_DRIVE_COMMAND,
         block(0xD8, 0x4F, 0xC2, 0xA0, 0xB0),
         {0x85, 0x06, 0x00, 0, 0xD8, 0, 1, 0, 1, 0, 0x4F, 0, 0xC2, 0xA0, 0xB0, 0},
         false},
        {"identify, PIO in",
         SMART_RCV_DRIVE_DATA,
         block(0, 0, 0, 0xA0, 0xEC),
         {0x85, 0x08, 0x0E, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0xA0, 0xEC, 0},
         true},
        {"identify packet, slave bit cleared",
         SMART_RCV_DRIVE_DATA,
         block(0, 0, 0, 0xB0, 0xA1),
         {0x85, 0x08, 0x0E, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0xA0, 0xA1, 0},
         true},
        {"attributes",
         SMART_RCV_DRIVE_DATA,
         block(0xD0, 0x4F, 0xC2, 0xB0, 0xB0),
         {0x85, 0x08, 0x0E, 0, 0xD0, 0, 1, 0, 1, 0, 0x4F, 0, 0xC2, 0xA0, 0xB0, 0},
         true},
        {"thresholds",
         SMART_RCV_DRIVE_DATA,
         block(0xD1, 0x4F, 0xC2, 0xA0, 0xB0),
         {0x85, 0x08, 0x0E, 0, 0xD1, 0, 1, 0, 1, 0, 0x4F, 0, 0xC2, 0xA0, 0xB0, 0},
         true},
    };
    for (const Case &c : cases) {
        const std::optional<AtaPassThrough> pt = BuildAtaPassThrough(c.code, c.command);
        ASSERT_TRUE(pt) << c.what;
        EXPECT_EQ(pt->cdb, c.cdb) << c.what;
        EXPECT_EQ(pt->dataIn, c.dataIn) << c.what;
        EXPECT_EQ(pt->cdb[2] & 0x20, 0) << c.what << ": CK_COND must stay clear";
    }
}

TEST(BuildAtaPassThrough, LetsNothingElseReachADisk)
{
    struct Case
    {
        const char *what;
        std::uint32_t code;
        SENDCMDINPARAMS command;
    };
    const Case cases[] = {
        {"disable operations", SMART_SEND_DRIVE_COMMAND, block(0xD9, 0x4F, 0xC2, 0xA0, 0xB0)},
        {"execute off-line test", SMART_SEND_DRIVE_COMMAND, block(0xD4, 0x4F, 0xC2, 0xA0, 0xB0)},
        {"write log", SMART_RCV_DRIVE_DATA, block(0xD6, 0x4F, 0xC2, 0xA0, 0xB0)},
        {"read log", SMART_RCV_DRIVE_DATA, block(0xD5, 0x4F, 0xC2, 0xA0, 0xB0)},
        {"attributes without signature", SMART_RCV_DRIVE_DATA, block(0xD0, 0, 0, 0xA0, 0xB0)},
        {"enable sent as data command", SMART_RCV_DRIVE_DATA, block(0xD8, 0x4F, 0xC2, 0xA0, 0xB0)},
        {"identify sent as non-data", SMART_SEND_DRIVE_COMMAND, block(0, 0, 0, 0xA0, 0xEC)},
        {"write sectors", SMART_RCV_DRIVE_DATA, block(0, 0, 0, 0xE0, 0x30)},
        {"security erase", SMART_SEND_DRIVE_COMMAND, block(0, 0, 0, 0xA0, 0xF4)},
        {"unknown request code", 0x0007C080, block(0xD0, 0x4F, 0xC2, 0xA0, 0xB0)},
    };
    for (const Case &c : cases) {
        EXPECT_FALSE(BuildAtaPassThrough(c.code, c.command)) << c.what;
    }
}

TEST(PassThroughSucceeded, ReadsTheScsiOutcome)
{
    // Descriptor sense: RECOVERED ERROR, 00h/1Dh, ATA Status Return descriptor (09h, 0Ch).
    auto sense = [](std::uint8_t ataStatus) {
        std::vector<std::uint8_t> s = {0x72, 0x01, 0x00, 0x1D, 0, 0, 0, 14, 0x09, 0x0C, 0,
                                       0,    0,    0,    0,    0, 0, 0, 0,  0,    0,    ataStatus};
        return s;
    };
    const auto ok = sense(0x50), error = sense(0x51), fault = sense(0x70);
    const std::vector<std::uint8_t> aborted = {0x72, 0x0B, 0x00, 0x00, 0, 0, 0, 0};
    EXPECT_TRUE(PassThroughSucceeded({0, 0, 0, {}}));
    EXPECT_TRUE(PassThroughSucceeded({2, 0, 0x08, ok}));
    EXPECT_FALSE(PassThroughSucceeded({2, 0, 0x08, error}));
    EXPECT_FALSE(PassThroughSucceeded({2, 0, 0x08, fault}));
    EXPECT_FALSE(PassThroughSucceeded({2, 0, 0x08, aborted}));
    EXPECT_FALSE(PassThroughSucceeded({2, 0, 0x08, {}}));
    EXPECT_FALSE(PassThroughSucceeded({0, 0x01, 0, {}})); // host: no connect
    EXPECT_FALSE(PassThroughSucceeded({0, 0, 0x06, {}})); // driver: timeout
    EXPECT_FALSE(PassThroughSucceeded({0x18, 0, 0, {}})); // reservation conflict
    const std::vector<std::uint8_t> truncated(ok.begin(), ok.begin() + 12);
    EXPECT_FALSE(PassThroughSucceeded({2, 0, 0x08, truncated}));
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
    const std::vector<BlockDevice> disks = WholeDisks((root / "block").string());
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
    ASSERT_TRUE(control.deviceIoControl(atapi, SMART_GET_VERSION, {}, out));
    EXPECT_EQ(version.bIDEDeviceMap, 0x10);
    ASSERT_TRUE(control.deviceIoControl(sda, SMART_GET_VERSION, {}, out));
    EXPECT_EQ(version.bIDEDeviceMap, 0x04);

    // A regular file is no disk: the pass-through request fails, and nothing breaks.
    SENDCMDINPARAMS command = block(0xD0, 0x4F, 0xC2, 0xA0, 0xB0);
    std::array<std::uint8_t, kDataReplySize> reply{};
    EXPECT_FALSE(control.deviceIoControl(sda, SMART_RCV_DRIVE_DATA,
                                         {reinterpret_cast<std::uint8_t *>(&command), kCommandBytesSent}, reply));
    control.closeHandle(atapi);
    control.closeHandle(sda);
    EXPECT_FALSE(control.deviceIoControl(sda, SMART_GET_VERSION, {}, out));
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
