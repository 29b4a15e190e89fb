// SPDX-License-Identifier: MIT
// The messages between the program and its drive reader: what the reader accepts is exactly
// what the request decoder lets through, with a drive number 0 to 3; everything else is
// refused before a disk is opened.
#include "drive/readerprotocol.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

AtaCommand ata(AtaCommandKind kind, AtaRegisters registers)
{
    AtaCommand c;
    c.kind = kind;
    c.registers = registers;
    return c;
}

// The registers the program itself sends (drivetransport), drive 0.
const AtaCommand kIdentify = ata(AtaCommandKind::IdentifyDevice, {0, 1, 1, 0, 0, 0xA0, kAtaIdentifyDevice});
const AtaCommand kIdentifyPacket =
    ata(AtaCommandKind::IdentifyPacketDevice, {0, 1, 1, 0, 0, 0xA0, kAtaIdentifyPacketDevice});
const AtaCommand kEnable = ata(AtaCommandKind::SmartEnableOperations,
                               {kSmartEnableOperations, 1, 1, kSmartCylLow, kSmartCylHigh, 0xA0, kAtaSmartCommand});
const AtaCommand kValues = ata(AtaCommandKind::SmartReadAttributeValues,
                               {kSmartReadAttributeValues, 1, 1, kSmartCylLow, kSmartCylHigh, 0xA0, kAtaSmartCommand});
const AtaCommand kThresholds =
    ata(AtaCommandKind::SmartReadAttributeThresholds,
        {kSmartReadAttributeThresholds, 1, 1, kSmartCylLow, kSmartCylHigh, 0xB0, kAtaSmartCommand});

TEST(ReaderProtocol, EveryAllowedCommandArrivesAsSent)
{
    for (const AtaCommand &sent : {kIdentify, kIdentifyPacket, kEnable, kValues, kThresholds}) {
        for (unsigned drive = 0; drive < kReaderDrives; ++drive) {
            const std::optional<ReaderRequest> got = decodeReaderRequest(encodeAtaRequest(drive, sent));
            ASSERT_TRUE(got) << int(sent.kind) << " drive " << drive;
            EXPECT_EQ(got->type, ReaderMessageType::AtaCommand);
            EXPECT_EQ(got->drive, drive);
            EXPECT_EQ(got->ata.kind, sent.kind);
            EXPECT_EQ(got->ata.registers, sent.registers);
        }
    }
    for (const NvmeCommand sent : {NvmeCommand::IdentifyController, NvmeCommand::HealthLog}) {
        for (unsigned drive = 0; drive < kReaderDrives; ++drive) {
            const std::optional<ReaderRequest> got = decodeReaderRequest(encodeNvmeRequest(drive, sent));
            ASSERT_TRUE(got) << int(sent) << " drive " << drive;
            EXPECT_EQ(got->type, ReaderMessageType::NvmeCommand);
            EXPECT_EQ(got->drive, drive);
            EXPECT_EQ(got->nvme, sent);
        }
    }
    EXPECT_NE(encodeNvmeRequest(0, NvmeCommand::IdentifyController), encodeNvmeRequest(0, NvmeCommand::HealthLog));
    const std::optional<ReaderRequest> check = decodeReaderRequest(encodeOpenCheck(3));
    ASSERT_TRUE(check);
    EXPECT_EQ(check->type, ReaderMessageType::OpenCheck);
    EXPECT_EQ(check->drive, 3u);
}

// A valid ATA request of drive 1 (READ ATTRIBUTE VALUES) with one byte changed.
Bytes valuesWith(std::size_t at, std::uint8_t value)
{
    Bytes body = encodeAtaRequest(1, kValues);
    body.at(at) = value;
    return body;
}

TEST(ReaderProtocol, RefusesAnythingElse)
{
    Bytes tooLong = encodeAtaRequest(0, kValues);
    tooLong.push_back(0);
    const Bytes tooShort(tooLong.begin(), tooLong.end() - 2);
    Bytes checkTooLong = encodeOpenCheck(0);
    checkTooLong.push_back(0);
    const Bytes identifyWithThresholdsKind = [] {
        Bytes b = encodeAtaRequest(0, kIdentify);
        b[2] = 5; // claims READ ATTRIBUTE THRESHOLDS
        return b;
    }();
    const struct
    {
        const char *what;
        Bytes body;
    } cases[] = {
        {"empty", {}},
        {"type only", {1}},
        {"unknown type 0", {0, 0}},
        {"unknown type 4", {4, 0, 1}},
        {"an NVMe request the size of an ATA one", {3, 0, 1, 0, 1, 1, 0, 0, 0xA0, 0xEC}},
        {"an NVMe request without its command", {3, 0}},
        {"an NVMe request with a trailing byte", {3, 0, 1, 0}},
        {"NVMe command 0", {3, 0, 0}},
        {"NVMe command 3", {3, 0, 3}},
        {"NVMe command 255", {3, 0, 255}},
        {"an NVMe request for drive 4", {3, 4, 2}},
        {"drive 4", encodeOpenCheck(4)},
        {"drive 255", valuesWith(1, 255)},
        {"open check with a trailing byte", checkTooLong},
        {"ATA request one byte short", tooShort},
        {"ATA request one byte long", tooLong},
        {"kind 0", valuesWith(2, 0)},
        {"kind 6", valuesWith(2, 6)},
        {"kind that the registers do not make", identifyWithThresholdsKind},
        {"SMART EXECUTE OFF-LINE IMMEDIATE (D4h)", valuesWith(3, 0xD4)},
        {"SMART WRITE LOG (D6h)", valuesWith(3, 0xD6)},
        {"SMART DISABLE OPERATIONS (D9h)", valuesWith(3, 0xD9)},
        {"SMART without its signature in cyl low", valuesWith(6, 0x00)},
        {"SMART without its signature in cyl high", valuesWith(7, 0x00)},
        {"WRITE SECTORS (30h) in the command register", valuesWith(9, 0x30)},
        {"SECURITY ERASE UNIT (F4h)", valuesWith(9, 0xF4)},
    };
    for (const auto &c : cases) {
        EXPECT_FALSE(decodeReaderRequest(c.body)) << c.what;
    }
}

TEST(ReaderProtocol, RepliesAndFramesRoundTrip)
{
    Bytes sector(kSectorSize);
    for (std::size_t i = 0; i < sector.size(); ++i) {
        sector[i] = static_cast<std::uint8_t>(i * 7);
    }
    const ReaderReply replies[] = {
        {ReaderStatus::Done, 0, sector},
        {ReaderStatus::Done, 0, Bytes(kNvmeIdentifySize, 0x5A)},
        {ReaderStatus::Done, 0, {}},
        {ReaderStatus::OpenFailed, 13, {}},
        {ReaderStatus::CommandFailed, 0x01020304, {}},
    };
    for (const ReaderReply &sent : replies) {
        const Bytes body = encodeReaderReply(sent);
        EXPECT_LE(body.size(), kMaxReaderReplySize);
        const Bytes frame = frameMessage(body);
        ASSERT_EQ(frame.size(), kReaderFrameHeaderSize + body.size());
        EXPECT_EQ(frameLength(std::span<const std::uint8_t, kReaderFrameHeaderSize>(frame.data(), 4)), body.size());
        const std::optional<ReaderReply> got =
            decodeReaderReply(std::span<const std::uint8_t>(frame).subspan(kReaderFrameHeaderSize));
        ASSERT_TRUE(got);
        EXPECT_EQ(got->status, sent.status);
        EXPECT_EQ(got->error, sent.error);
        EXPECT_EQ(got->data, sent.data);
    }
    // The length is little-endian whatever the data.
    EXPECT_EQ(frameMessage(Bytes(0x102, 0)).at(0), 0x02);
    EXPECT_EQ(frameMessage(Bytes(0x102, 0)).at(1), 0x01);

    EXPECT_FALSE(decodeReaderReply(Bytes{0, 0, 0, 0})) << "shorter than its header";
    EXPECT_FALSE(decodeReaderReply(Bytes{5, 0, 0, 0, 0})) << "unknown status";
}

} // namespace
} // namespace orvane
