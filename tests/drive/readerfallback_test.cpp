// SPDX-License-Identifier: MIT
// When the Linux back-end turns to the drive reader, and what it makes of the replies: a
// fake reader records the requests and answers as told.
#include "platform/linux/linuxdrivecontrol.h"
#include "readerprocess.h"

#include <deque>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

class FakeReader : public DriveReaderLink
{
public:
    std::vector<Bytes> requests;
    std::deque<std::optional<ReaderReply>> replies; // empty: every request is Done
    std::string error = "reader: gave no reply";

    std::optional<ReaderReply> exchange(std::span<const std::uint8_t> request) override
    {
        requests.emplace_back(request.begin(), request.end());
        if (replies.empty()) {
            return ReaderReply{ReaderStatus::Done, 0, {}};
        }
        std::optional<ReaderReply> reply = replies.front();
        replies.pop_front();
        return reply;
    }
    const std::string &lastError() const override { return error; }
};

SENDCMDINPARAMS smartBlock(std::uint8_t features)
{
    SENDCMDINPARAMS b{};
    b.irDriveRegs = {features, 1, 1, kSmartCylLow, kSmartCylHigh, 0xA0, kAtaSmartCommand, 0};
    return b;
}

std::span<const std::uint8_t> bytesOf(const SENDCMDINPARAMS &b)
{
    return {reinterpret_cast<const std::uint8_t *>(&b), kCommandBytesSent};
}

// Disks: sda (mode 000), sdb (absent node), sdc..sde (mode 000); drive 4 is sde.
class ReaderFallback : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.addDisk("sda", "file", 0));
        ASSERT_TRUE(root.addDisk("sdb", "none"));
        for (const char *name : {"sdc", "sdd", "sde"}) {
            ASSERT_TRUE(root.addDisk(name, "file", 0));
        }
        auto owned = std::make_unique<FakeReader>();
        reader = owned.get();
        disks = std::make_unique<LinuxDriveControl>(root.block(), root.dev(), std::move(owned));
    }

    test::ReaderRoot root;
    FakeReader *reader = nullptr;
    std::unique_ptr<LinuxDriveControl> disks;
};

TEST_F(ReaderFallback, ADiskTheUserMayNotOpenIsReadThroughTheReader)
{
    const test::Unprivileged user;
    Bytes sector(kSectorSize, 0x3C);
    sector[0] = 0x10;
    reader->replies = {ReaderReply{ReaderStatus::Done, 0, {}}, ReaderReply{ReaderStatus::Done, 0, sector},
                       ReaderReply{ReaderStatus::Done, 0, {}}};
    const DeviceHandle handle = disks->createFile(physicalDrivePath("0"));
    ASSERT_NE(handle, kInvalidHandle) << disks->lastError();
    EXPECT_EQ(disks->lastError(), "");

    GETVERSIONINPARAMS version{};
    ASSERT_TRUE(disks->deviceIoControl(handle, kSmartGetVersion, {},
                                       {reinterpret_cast<std::uint8_t *>(&version), sizeof version}));
    EXPECT_EQ(version.bIDEDeviceMap, 0x01) << "the device map comes from the disk list, not the reader";

    std::array<std::uint8_t, kDataReplySize> reply{};
    const SENDCMDINPARAMS values = smartBlock(kSmartReadAttributeValues);
    ASSERT_TRUE(disks->deviceIoControl(handle, kSmartRcvDriveData, bytesOf(values), reply));
    EXPECT_EQ(Bytes(reply.begin() + kReplyHeaderSize, reply.end()), sector);
    const SENDCMDINPARAMS enable = smartBlock(kSmartEnableOperations);
    std::array<std::uint8_t, kEnableReplyAreaSize> enableReply{};
    ASSERT_TRUE(disks->deviceIoControl(handle, kSmartSendDriveCommand, bytesOf(enable), enableReply));

    AtaCommand valuesCommand;
    valuesCommand.kind = AtaCommandKind::SmartReadAttributeValues;
    valuesCommand.registers = {kSmartReadAttributeValues, 1, 1, kSmartCylLow, kSmartCylHigh, 0xA0, kAtaSmartCommand};
    AtaCommand enableCommand = valuesCommand;
    enableCommand.kind = AtaCommandKind::SmartEnableOperations;
    enableCommand.registers.features = kSmartEnableOperations;
    EXPECT_EQ(reader->requests,
              (std::vector<Bytes>{encodeOpenCheck(0), encodeAtaRequest(0, valuesCommand),
                                  encodeAtaRequest(0, enableCommand)}));
    disks->closeHandle(handle);
    EXPECT_FALSE(disks->deviceIoControl(handle, kSmartRcvDriveData, bytesOf(values), reply));
    EXPECT_EQ(reader->requests.size(), 3u) << "a closed handle reaches nobody";
}

TEST_F(ReaderFallback, TheReaderIsAskedOnlyWhenItCouldHelp)
{
    const test::Unprivileged user;
    EXPECT_EQ(disks->createFile(physicalDrivePath("1")), kInvalidHandle);
    EXPECT_EQ(disks->lastError(), root.dev() + "/sdb: No such file or directory");
    EXPECT_EQ(disks->createFile(physicalDrivePath("4")), kInvalidHandle) << "the reader serves drives 0 to 3";
    EXPECT_EQ(disks->createFile(physicalDrivePath("5")), kInvalidHandle);
    EXPECT_TRUE(reader->requests.empty());
}

TEST_F(ReaderFallback, WhatTheReaderCannotDoFails)
{
    const test::Unprivileged user;
    const std::string sda = root.dev() + "/sda";
    const struct
    {
        const char *what;
        std::optional<ReaderReply> openReply;
        std::optional<ReaderReply> readReply; // when the open check passes
        std::string error;
    } cases[] = {
        {"no reader", std::nullopt, std::nullopt,
         sda + ": Permission denied (and the drive reader: reader: gave no reply)"},
        {"the reader may not open it either", ReaderReply{ReaderStatus::OpenFailed, EACCES, {}}, std::nullopt,
         sda + ": Permission denied (and the drive reader: " + sda + ": Permission denied)"},
        {"the drive fails the read", ReaderReply{ReaderStatus::Done, 0, {}},
         ReaderReply{ReaderStatus::CommandFailed, 0, {}}, sda + ": the drive failed the command"},
        {"SG_IO refused", ReaderReply{ReaderStatus::Done, 0, {}}, ReaderReply{ReaderStatus::CommandFailed, EPERM, {}},
         sda + ": Operation not permitted"},
        {"a reply without the sector", ReaderReply{ReaderStatus::Done, 0, {}}, ReaderReply{ReaderStatus::Done, 0, {}},
         "the drive reader gave a reply of the wrong size"},
        {"a reply one byte short", ReaderReply{ReaderStatus::Done, 0, {}},
         ReaderReply{ReaderStatus::Done, 0, Bytes(kSectorSize - 1, 1)},
         "the drive reader gave a reply of the wrong size"},
    };
    for (const auto &c : cases) {
        reader->replies = {c.openReply, c.readReply};
        const DeviceHandle handle = disks->createFile(physicalDrivePath("0"));
        if (!c.openReply) {
            EXPECT_EQ(handle, kInvalidHandle) << c.what;
            EXPECT_EQ(disks->lastError(), c.error) << c.what;
            continue;
        }
        if (handle == kInvalidHandle) {
            EXPECT_EQ(disks->lastError(), c.error) << c.what;
            continue;
        }
        std::array<std::uint8_t, kDataReplySize> reply{};
        reply.fill(0xEE);
        EXPECT_FALSE(
            disks->deviceIoControl(handle, kSmartRcvDriveData, bytesOf(smartBlock(kSmartReadAttributeValues)), reply))
            << c.what;
        EXPECT_EQ(disks->lastError(), c.error) << c.what;
        disks->closeHandle(handle);
    }
}

// An NVMe namespace the user may not open: the two NVMe commands go to the reader by number,
// and only whole answers reach the program.
TEST(ReaderFallbackNvme, AnNvmeDiskTheUserMayNotOpenIsReadThroughTheReader)
{
    test::ReaderRoot root;
    ASSERT_TRUE(root.addDisk("nvme0n1", "file", 0));
    ASSERT_TRUE(root.addDisk("sda", "file", 0));
    auto owned = std::make_unique<FakeReader>();
    FakeReader &reader = *owned;
    LinuxDriveControl disks(root.block(), root.dev(), std::move(owned));
    const test::Unprivileged user;
    const Bytes identify(kNvmeIdentifySize, 0x11);
    const Bytes health(kNvmeHealthLogSize, 0x22);
    reader.replies = {ReaderReply{ReaderStatus::Done, 0, {}}, ReaderReply{ReaderStatus::Done, 0, identify},
                      ReaderReply{ReaderStatus::Done, 0, health},
                      ReaderReply{ReaderStatus::Done, 0, Bytes(kNvmeHealthLogSize - 1, 0x22)},
                      ReaderReply{ReaderStatus::CommandFailed, EACCES, {}}};
    const DeviceHandle handle = disks.createFile(physicalDrivePath("0"));
    ASSERT_NE(handle, kInvalidHandle) << disks.lastError();

    GETVERSIONINPARAMS version{};
    EXPECT_FALSE(disks.deviceIoControl(handle, kSmartGetVersion, {},
                                       {reinterpret_cast<std::uint8_t *>(&version), sizeof version}))
        << "an NVMe disk answers no version request, through the reader or not";
    const auto ask = [&](NvmeCommand command, Bytes &data) {
        const Bytes query = nvmeQuery(command);
        Bytes out(query.size(), 0xEE);
        data.assign(nvmeDataSize(command), 0);
        return disks.deviceIoControl(handle, kIoctlStorageQueryProperty, query, out) && nvmeReplyData(out, data);
    };
    Bytes data;
    ASSERT_TRUE(ask(NvmeCommand::IdentifyController, data)) << disks.lastError();
    EXPECT_EQ(data, identify);
    ASSERT_TRUE(ask(NvmeCommand::HealthLog, data)) << disks.lastError();
    EXPECT_EQ(data, health);
    EXPECT_FALSE(ask(NvmeCommand::HealthLog, data)) << "a reply one byte short";
    EXPECT_EQ(disks.lastError(), "the drive reader gave a reply of the wrong size");
    EXPECT_FALSE(ask(NvmeCommand::HealthLog, data)) << "the kernel refused the reader";
    EXPECT_EQ(disks.lastError(), root.dev() + "/nvme0n1: Permission denied");

    EXPECT_EQ(
        reader.requests,
        (std::vector<Bytes>{encodeOpenCheck(0), encodeNvmeRequest(0, NvmeCommand::IdentifyController),
                            encodeNvmeRequest(0, NvmeCommand::HealthLog), encodeNvmeRequest(0, NvmeCommand::HealthLog),
                            encodeNvmeRequest(0, NvmeCommand::HealthLog)}));
    disks.closeHandle(handle);
}

} // namespace
} // namespace orvane
