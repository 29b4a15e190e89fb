// SPDX-License-Identifier: MIT
// The drive reader's core with fake disks behind it: what reaches a disk, what the replies
// say, and how the framing on its pipes ends the conversation.
#include "platform/linux/filedescriptor.h"
#include "platform/linux/reader/readerservice.h"
#include "readerprocess.h"

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Disks 0 and 1 exist; disk 1 cannot be opened (EACCES). Counts what reached them.
class FakeDisks : public ReaderDisks
{
public:
    int opens = 0;
    int alive = 0;
    std::vector<std::pair<unsigned, AtaCommand>> commands;
    std::vector<std::pair<unsigned, NvmeCommand>> nvmeCommands;
    int commandError = -1; // -1: the command completes

    Opened open(unsigned number) override
    {
        ++opens;
        if (number > 1) {
            return {nullptr, ReaderStatus::NoSuchDisk, 0};
        }
        if (number == 1) {
            return {nullptr, ReaderStatus::OpenFailed, EACCES};
        }
        return {std::make_unique<Disk>(*this, number), ReaderStatus::Done, 0};
    }

private:
    class Disk : public ReaderDisk
    {
    public:
        Disk(FakeDisks &owner, unsigned number)
            : m_owner(owner)
            , m_number(number)
        {
            ++m_owner.alive;
        }
        ~Disk() override { --m_owner.alive; }
        bool ataCommand(const AtaCommand &command, std::span<std::uint8_t, kSectorSize> sector, int &error) override
        {
            m_owner.commands.emplace_back(m_number, command);
            std::fill(sector.begin(), sector.end(), 0xA5);
            sector[0] = static_cast<std::uint8_t>(command.registers.features);
            error = std::max(m_owner.commandError, 0);
            return m_owner.commandError < 0;
        }
        bool nvmeCommand(NvmeCommand command, std::span<std::uint8_t> data, int &error) override
        {
            m_owner.nvmeCommands.emplace_back(m_number, command);
            std::fill(data.begin(), data.end(), command == NvmeCommand::HealthLog ? 0x48 : 0x49);
            error = std::max(m_owner.commandError, 0);
            return m_owner.commandError < 0;
        }

    private:
        FakeDisks &m_owner;
        unsigned m_number;
    };
};

AtaCommand smartCommand(AtaCommandKind kind, std::uint8_t features)
{
    AtaCommand c;
    c.kind = kind;
    c.registers = {features, 1, 1, kSmartCylLow, kSmartCylHigh, 0xA0, kAtaSmartCommand};
    return c;
}

const AtaCommand kValues = smartCommand(AtaCommandKind::SmartReadAttributeValues, kSmartReadAttributeValues);
const AtaCommand kEnable = smartCommand(AtaCommandKind::SmartEnableOperations, kSmartEnableOperations);

TEST(ReaderService, AnswersFromTheDiskItOpensForTheRequest)
{
    FakeDisks disks;
    const struct
    {
        const char *what;
        Bytes request;
        ReaderStatus status;
        int error;
        std::size_t dataSize;
    } cases[] = {
        {"open check", encodeOpenCheck(0), ReaderStatus::Done, 0, 0},
        {"read attribute values", encodeAtaRequest(0, kValues), ReaderStatus::Done, 0, kSectorSize},
        {"enable operations: no data", encodeAtaRequest(0, kEnable), ReaderStatus::Done, 0, 0},
        {"a disk this reader may not open", encodeAtaRequest(1, kValues), ReaderStatus::OpenFailed, EACCES, 0},
        {"a disk that is not there", encodeOpenCheck(2), ReaderStatus::NoSuchDisk, 0, 0},
    };
    for (const auto &c : cases) {
        const ReaderReply reply = answerReaderRequest(disks, c.request);
        EXPECT_EQ(reply.status, c.status) << c.what;
        EXPECT_EQ(reply.error, c.error) << c.what;
        EXPECT_EQ(reply.data.size(), c.dataSize) << c.what;
        EXPECT_EQ(disks.alive, 0) << c.what << ": the disk stays open after the request";
    }
    ASSERT_EQ(disks.commands.size(), 2u);
    EXPECT_EQ(disks.commands[0].second.kind, AtaCommandKind::SmartReadAttributeValues);
    EXPECT_EQ(disks.commands[1].second.kind, AtaCommandKind::SmartEnableOperations);
    EXPECT_EQ(answerReaderRequest(disks, encodeAtaRequest(0, kValues)).data.at(0), kSmartReadAttributeValues);

    disks.commandError = 0; // the drive aborts the command
    EXPECT_EQ(answerReaderRequest(disks, encodeAtaRequest(0, kValues)).status, ReaderStatus::CommandFailed);
    disks.commandError = EPERM; // SG_IO refused: no CAP_SYS_RAWIO
    const ReaderReply refused = answerReaderRequest(disks, encodeAtaRequest(0, kValues));
    EXPECT_EQ(refused.status, ReaderStatus::CommandFailed);
    EXPECT_EQ(refused.error, EPERM);
    EXPECT_TRUE(refused.data.empty()) << "a failed read must not bring a sector";
}

TEST(ReaderService, AnswersNvmeCommandsWithTheirWholeData)
{
    FakeDisks disks;
    const ReaderReply identify = answerReaderRequest(disks, encodeNvmeRequest(0, NvmeCommand::IdentifyController));
    EXPECT_EQ(identify.status, ReaderStatus::Done);
    EXPECT_EQ(identify.data, Bytes(kNvmeIdentifySize, 0x49));
    const ReaderReply health = answerReaderRequest(disks, encodeNvmeRequest(0, NvmeCommand::HealthLog));
    EXPECT_EQ(health.status, ReaderStatus::Done);
    EXPECT_EQ(health.data, Bytes(kNvmeHealthLogSize, 0x48));
    EXPECT_EQ(disks.nvmeCommands,
              (std::vector<std::pair<unsigned, NvmeCommand>>{{0, NvmeCommand::IdentifyController},
                                                             {0, NvmeCommand::HealthLog}}));
    EXPECT_TRUE(disks.commands.empty()) << "an NVMe request must not turn into an ATA command";
    EXPECT_EQ(answerReaderRequest(disks, encodeNvmeRequest(1, NvmeCommand::HealthLog)).status,
              ReaderStatus::OpenFailed);

    disks.commandError = EACCES; // the kernel refused: no CAP_SYS_ADMIN
    const ReaderReply refused = answerReaderRequest(disks, encodeNvmeRequest(0, NvmeCommand::HealthLog));
    EXPECT_EQ(refused.status, ReaderStatus::CommandFailed);
    EXPECT_EQ(refused.error, EACCES);
    EXPECT_TRUE(refused.data.empty()) << "a failed command must not bring data";
    EXPECT_EQ(disks.alive, 0);
}

TEST(ReaderService, ARefusedRequestOpensNoDisk)
{
    FakeDisks disks;
    Bytes writeLog = encodeAtaRequest(0, kValues);
    writeLog[3] = 0xD6; // SMART WRITE LOG
    Bytes drive4 = encodeOpenCheck(0);
    drive4[1] = 4;
    for (const Bytes &request : {writeLog, drive4, Bytes{9, 0}, Bytes{}, Bytes{3, 0, 7}}) {
        EXPECT_EQ(answerReaderRequest(disks, request).status, ReaderStatus::Refused);
    }
    EXPECT_EQ(disks.opens, 0);
    EXPECT_TRUE(disks.commands.empty());
    EXPECT_TRUE(disks.nvmeCommands.empty());
}

// The reader on two real pipes: `input` is written and closed before it starts.
struct Served
{
    ReaderExit exit;
    std::vector<ReaderReply> replies;
    std::size_t leftOver = 0; // bytes of output that make no whole frame
};

Bytes readAllFrom(int fd)
{
    Bytes out;
    std::uint8_t buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
        out.insert(out.end(), buffer, buffer + n);
    }
    return out;
}

Served serve(const Bytes &input, FakeDisks &disks, bool closeOutput = false)
{
    int in[2], out[2];
    EXPECT_EQ(::pipe2(in, O_CLOEXEC), 0);
    EXPECT_EQ(::pipe2(out, O_CLOEXEC), 0);
    FileDescriptor inRead(in[0]), inWrite(in[1]), outRead(out[0]), outWrite(out[1]);
    EXPECT_EQ(::write(inWrite.get(), input.data(), input.size()), static_cast<ssize_t>(input.size()));
    (void)inWrite.close();
    if (closeOutput) {
        (void)outRead.close();
    }
    Served served{serveReader(inRead.get(), outWrite.get(), disks), {}, 0};
    (void)outWrite.close();
    if (closeOutput) {
        return served;
    }
    served.replies = test::readerReplies(readAllFrom(outRead.get()), &served.leftOver);
    return served;
}

TEST(ReaderService, ServesFramesUntilTheInputEndsOrBreaksTheFraming)
{
    const Bytes three = test::readerFrames({encodeOpenCheck(0), encodeAtaRequest(0, kValues), Bytes{7, 7}});
    const Bytes tooLong = [] {
        Bytes b{kMaxReaderRequestSize + 1, 0, 0, 0};
        b.resize(b.size() + kMaxReaderRequestSize + 1, 0);
        return b;
    }();
    const Bytes huge{0xFF, 0xFF, 0xFF, 0xFF};
    const Bytes maximum = test::readerFrames({Bytes(kMaxReaderRequestSize, 1)});
    Bytes afterOne = test::readerFrames({encodeOpenCheck(0)});
    const auto followedBy = [&](const Bytes &tail) {
        Bytes b = afterOne;
        b.insert(b.end(), tail.begin(), tail.end());
        return b;
    };
    const struct
    {
        const char *what;
        Bytes input;
        ReaderExit exit;
        std::vector<ReaderStatus> statuses;
    } cases[] = {
        {"nothing: the parent closed at once", {}, ReaderExit::ParentClosed, {}},
        {"three requests, then the end",
         three,
         ReaderExit::ParentClosed,
         {ReaderStatus::Done, ReaderStatus::Done, ReaderStatus::Refused}},
        {"the longest request is read and refused", maximum, ReaderExit::ParentClosed, {ReaderStatus::Refused}},
        {"one byte over the longest request", followedBy(tooLong), ReaderExit::TooLong, {ReaderStatus::Done}},
        {"a length of 4 GiB", followedBy(huge), ReaderExit::TooLong, {ReaderStatus::Done}},
        {"a length of 0", followedBy(Bytes{0, 0, 0, 0}), ReaderExit::TooLong, {ReaderStatus::Done}},
        {"the input ends inside a header", followedBy(Bytes{2, 0}), ReaderExit::Truncated, {ReaderStatus::Done}},
        {"the input ends inside a body", followedBy(Bytes{2, 0, 0, 0, 1}), ReaderExit::Truncated, {ReaderStatus::Done}},
    };
    for (const auto &c : cases) {
        FakeDisks disks;
        const Served served = serve(c.input, disks);
        EXPECT_EQ(served.exit, c.exit) << c.what;
        std::vector<ReaderStatus> statuses;
        for (const ReaderReply &r : served.replies) {
            statuses.push_back(r.status);
        }
        EXPECT_EQ(statuses, c.statuses) << c.what;
        EXPECT_EQ(served.leftOver, 0u) << c.what;
        EXPECT_EQ(disks.alive, 0) << c.what;
    }
}

TEST(ReaderService, StopsWhenNobodyReadsTheReplies)
{
    // As in the reader itself: a closed pipe shows as a failed write, not as a signal.
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    FakeDisks disks;
    EXPECT_EQ(serve(test::readerFrames({encodeOpenCheck(0), encodeOpenCheck(0)}), disks, true).exit,
              ReaderExit::WriteFailed);
    EXPECT_EQ(disks.opens, 1) << "the second request is never served";
    std::signal(SIGPIPE, previous);
}

} // namespace
} // namespace orvane
