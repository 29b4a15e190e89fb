// SPDX-License-Identifier: MIT
// The drive reader as a program: orvane-drive-reader itself for everything that touches no
// disk, and the same program on a fake /sys/block and /dev (test-drive-reader) for the rest,
// spoken to by the client that the drive back-end uses.
#include "platform/linux/drivereaderclient.h"
#include "platform/linux/linuxdrivecontrol.h"
#include "readerprocess.h"

#include <cerrno>
#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kReader = ORVANE_DRIVE_READER_PROGRAM;
const std::string kTestReader = ORVANE_TEST_READER_PROGRAM;

AtaCommand attributeRead()
{
    AtaCommand c;
    c.kind = AtaCommandKind::SmartReadAttributeValues;
    c.registers = {kSmartReadAttributeValues, 1, 1, kSmartCylLow, kSmartCylHigh, 0xA0, kAtaSmartCommand};
    return c;
}

std::vector<ReaderStatus> statusesIn(const Bytes &output)
{
    std::vector<ReaderStatus> statuses;
    for (const ReaderReply &reply : test::readerReplies(output)) {
        statuses.push_back(reply.status);
    }
    return statuses;
}

TEST(DriveReaderProgram, RefusesWithoutTouchingADisk)
{
    Bytes writeLog = encodeAtaRequest(0, attributeRead());
    writeLog[3] = 0xD6; // SMART WRITE LOG
    const Bytes overLong{kMaxReaderRequestSize + 1, 0, 0, 0};
    const struct
    {
        const char *what;
        std::vector<std::string> argv;
        Bytes input;
        int status;
        std::vector<ReaderStatus> replies;
        const char *err;
    } cases[] = {
        {"the parent closes the pipe at once", {kReader}, {}, 0, {}, ""},
        {"a command outside the allow-list, drive 4, an unknown type",
         {kReader},
         test::readerFrames({writeLog, {1, 4}, {9, 0}}),
         0,
         {ReaderStatus::Refused, ReaderStatus::Refused, ReaderStatus::Refused},
         ""},
        {"a request longer than any request",
         {kReader},
         [&] {
             Bytes b = test::readerFrames({{9, 0}});
             b.insert(b.end(), overLong.begin(), overLong.end());
             b.resize(b.size() + 100, 1);
             return b;
         }(),
         1,
         {ReaderStatus::Refused},
         "orvane-drive-reader: a request of a size no request has; stopped reading\n"},
        {"a request cut short",
         {kReader},
         {10, 0, 0, 0, 2},
         1,
         {},
         "orvane-drive-reader: the input ended inside a request\n"},
        {"an argument: the reader takes no path from anywhere",
         {kReader, "/tmp"},
         test::readerFrames({{1, 0}}),
         2,
         {},
         "orvane-drive-reader takes no arguments; orvane and orvane-report start it\n"},
    };
    for (const auto &c : cases) {
        const test::ProgramRun run = test::runProgram(c.argv, c.input);
        EXPECT_EQ(run.status, c.status) << c.what;
        EXPECT_EQ(statusesIn(run.out), c.replies) << c.what;
        EXPECT_EQ(run.err, c.err) << c.what;
    }
}

class ReaderOnFakeDisks : public ::testing::Test
{
protected:
    test::ReaderRoot root;
};

// Drive 0 is a regular file, drive 1 a link to a block device, drive 2 a block device (the
// loop device, which has no SG_IO), drive 3 is not there.
TEST_F(ReaderOnFakeDisks, OpensOnlyBlockDevicesOfItsOwnDiskList)
{
    ASSERT_TRUE(root.addDisk("sda", "file"));
    if (!root.addDisk("sdb", "link") || !root.addDisk("sdc", "block")) {
        GTEST_SKIP() << "making a block device needs CAP_MKNOD";
    }
    DriveReaderClient reader(kTestReader);
    const struct
    {
        const char *what;
        Bytes request;
        ReaderStatus status;
        int error;
    } cases[] = {
        {"a regular file is no disk", encodeOpenCheck(0), ReaderStatus::OpenFailed, ENOTBLK},
        {"a link is not followed", encodeOpenCheck(1), ReaderStatus::OpenFailed, ELOOP},
        {"a block device opens", encodeOpenCheck(2), ReaderStatus::Done, 0},
        {"drive 3 is not there", encodeOpenCheck(3), ReaderStatus::NoSuchDisk, 0},
    };
    for (const auto &c : cases) {
        const std::optional<ReaderReply> reply = reader.exchange(c.request);
        ASSERT_TRUE(reply) << c.what << ": " << reader.lastError();
        EXPECT_EQ(reply->status, c.status) << c.what;
        EXPECT_EQ(reply->error, c.error) << c.what;
    }
    // The command reaches the device, whose driver has no pass-through.
    const std::optional<ReaderReply> read = reader.exchange(encodeAtaRequest(2, attributeRead()));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->status, ReaderStatus::CommandFailed);
    EXPECT_NE(read->error, 0);
    EXPECT_TRUE(read->data.empty());
}

// Each disk gets only the commands of its own protocol: the NVMe commands go to an NVMe
// namespace and reach its driver (here the loop device's, which knows none: EINVAL), but
// never to another disk, nor ATA commands to a namespace (ENOTTY, before any system call).
TEST_F(ReaderOnFakeDisks, SendsEachDiskOnlyTheCommandsOfItsProtocol)
{
    if (!root.addDisk("nvme0n1", "block") || !root.addDisk("sda", "block")) {
        GTEST_SKIP() << "making a block device needs CAP_MKNOD";
    }
    DriveReaderClient reader(kTestReader);
    const struct
    {
        const char *what;
        Bytes request;
        int error;
    } cases[] = {
        {"Identify Controller to the namespace", encodeNvmeRequest(0, NvmeCommand::IdentifyController), EINVAL},
        {"the health log to the namespace", encodeNvmeRequest(0, NvmeCommand::HealthLog), EINVAL},
        {"an ATA command to the namespace", encodeAtaRequest(0, attributeRead()), ENOTTY},
        {"an NVMe command to an ATA disk", encodeNvmeRequest(1, NvmeCommand::HealthLog), ENOTTY},
    };
    for (const auto &c : cases) {
        const std::optional<ReaderReply> reply = reader.exchange(c.request);
        ASSERT_TRUE(reply) << c.what << ": " << reader.lastError();
        EXPECT_EQ(reply->status, ReaderStatus::CommandFailed) << c.what;
        EXPECT_EQ(reply->error, c.error) << c.what;
        EXPECT_TRUE(reply->data.empty()) << c.what;
    }
}

// An ordinary user who may not open the disk: the back-end turns to the reader, which raises
// its capability for the open (here it runs with root's capabilities as the test does, but
// none of them effective until it raises one).
TEST_F(ReaderOnFakeDisks, TheBackEndReadsThroughTheReaderWhenTheUserMayNotOpenTheDisk)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to stand in for the reader's capabilities";
    }
    ASSERT_TRUE(root.addDisk("sda", "file", 0600));
    if (!root.addDisk("sdb", "block", 0600)) {
        GTEST_SKIP() << "making a block device needs CAP_MKNOD";
    }
    LinuxDriveControl disks(root.block(), root.dev(), std::make_unique<DriveReaderClient>(kTestReader));
    const test::Unprivileged user;
    EXPECT_EQ(disks.createFile(physicalDrivePath("0")), kInvalidHandle);
    EXPECT_EQ(disks.lastError(),
              root.dev() + "/sda: Permission denied (and the drive reader: " + root.dev()
                  + "/sda: Block device required)");
    const DeviceHandle sdb = disks.createFile(physicalDrivePath("1"));
    ASSERT_NE(sdb, kInvalidHandle) << disks.lastError();
    SENDCMDINPARAMS block{};
    block.irDriveRegs = {kSmartReadAttributeValues, 1, 1, kSmartCylLow, kSmartCylHigh, 0xA0, kAtaSmartCommand, 0};
    std::array<std::uint8_t, kDataReplySize> reply{};
    EXPECT_FALSE(disks.deviceIoControl(sdb, kSmartRcvDriveData,
                                       {reinterpret_cast<std::uint8_t *>(&block), kCommandBytesSent}, reply));
    EXPECT_TRUE(disks.lastError().starts_with(root.dev() + "/sdb: ")) << disks.lastError();
    disks.closeHandle(sdb);
}

TEST(DriveReaderClientTest, SurvivesReadersThatBreakTheConversation)
{
    const test::ScratchDir folder;
    const std::string hung = (folder / "hung-reader").string();
    std::ofstream(hung) << "#!/bin/sh\nexec /bin/sleep 30\n";
    ::chmod(hung.c_str(), 0755);
    const struct
    {
        const char *what;
        std::string program;
        std::string error;
    } cases[] = {
        {"no such program", "/nonexistent/orvane-drive-reader",
         "/nonexistent/orvane-drive-reader: No such file or directory"},
        {"a program that echoes the request", "/bin/cat", "/bin/cat: gave a malformed reply"},
        {"a program that ends at once", "/bin/true", ""},
        {"a program that never answers", hung, hung + ": gave no reply"},
    };
    for (const auto &c : cases) {
        DriveReaderClient reader(c.program, 300);
        const auto started = std::chrono::steady_clock::now();
        EXPECT_FALSE(reader.exchange(encodeOpenCheck(0))) << c.what;
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5)) << c.what;
        if (!c.error.empty()) {
            EXPECT_EQ(reader.lastError(), c.error) << c.what;
        } else {
            EXPECT_TRUE(reader.lastError().starts_with(c.program + ": ")) << c.what << ": " << reader.lastError();
        }
        // The next request starts the program anew and fails the same way.
        EXPECT_FALSE(reader.exchange(encodeOpenCheck(0))) << c.what;
    }
}

TEST(DriveReaderClientTest, AnswersManyRequestsInARow)
{
    test::ReaderRoot root;
    ASSERT_TRUE(root.addDisk("sda", "file"));
    DriveReaderClient reader(kTestReader);
    for (int i = 0; i < 50; ++i) {
        const std::optional<ReaderReply> reply = reader.exchange(encodeOpenCheck(i % 2));
        ASSERT_TRUE(reply) << reader.lastError();
        EXPECT_EQ(reply->status, i % 2 ? ReaderStatus::NoSuchDisk : ReaderStatus::OpenFailed);
    }
}

} // namespace
} // namespace orvane
