// SPDX-License-Identifier: MIT
#include "drive/attributes.h"
#include "drive/drivetransport.h"
#include "drive/identity.h"
#include "support/fakedrivecontrol.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::FakeDriveControl;

std::vector<std::uint8_t> commandBytes(std::uint32_t bufferSize, IDEREGS regs, std::uint8_t drive)
{
    std::vector<std::uint8_t> bytes(kCommandBytesSent, 0);
    bytes[0] = static_cast<std::uint8_t>(bufferSize);
    bytes[1] = static_cast<std::uint8_t>(bufferSize >> 8);
    const std::uint8_t r[] = {regs.bFeaturesReg, regs.bSectorCountReg, regs.bSectorNumberReg, regs.bCylLowReg,
                              regs.bCylHighReg,  regs.bDriveHeadReg,   regs.bCommandReg,      0};
    std::copy(std::begin(r), std::end(r), bytes.begin() + 4);
    bytes[12] = drive;
    return bytes;
}

struct CommandCase
{
    const char *name;
    std::uint32_t code;
    std::uint32_t bufferSize;
    std::size_t outSize;
    std::uint8_t features, count, number, cylLow, cylHigh, command;
};

// Shown by name in the test list instead of its bytes.
void PrintTo(const CommandCase &c, std::ostream *out)
{
    *out << c.name;
}

class CommandBytes : public ::testing::TestWithParam<std::tuple<CommandCase, std::uint8_t>>
{
};

TEST_P(CommandBytes, AreSentExactlyAsTheDriverExpectsThem)
{
    const auto &[c, drive] = GetParam();
    FakeDriveControl control;
    control.drive(drive);
    DriveTransport transport(control);
    DriveHandle handle = transport.OpenPhysicalDrive(std::to_string(drive));
    SENDCMDINPARAMS block{};
    bool ok = false;
    if (c.code == kSmartSendDriveCommand) {
        ok = transport.EnableSmart(handle, block, drive);
    } else if (c.features == 0) {
        ok = transport.IdentifyDrive(handle, block, drive, c.command);
    } else if (c.features == kSmartReadAttributeValues) {
        ok = transport.ReadSmartAttributes(handle, block, drive);
    } else {
        ok = transport.ReadSmartThresholds(handle, block, drive);
    }
    EXPECT_TRUE(ok);
    ASSERT_EQ(control.requests.size(), 1u);
    const test::SentRequest &sent = control.requests[0];
    const std::uint8_t driveHead = (drive % 2) ? 0xB0 : 0xA0;
    EXPECT_EQ(sent.code, c.code);
    EXPECT_EQ(sent.outSize, c.outSize);
    EXPECT_EQ(sent.in,
              commandBytes(c.bufferSize, {c.features, c.count, c.number, c.cylLow, c.cylHigh, driveHead, c.command, 0},
                           drive));
    // The block keeps exactly what the request sent.
    EXPECT_EQ(0, std::memcmp(&block, sent.in.data(), kCommandBytesSent));
}

// clang-format off
const CommandCase kCommands[] = {
    {"enable",      kSmartSendDriveCommand, 0,   16,  0xD8, 1, 1, 0x4F, 0xC2, 0xB0},
    {"identify",    kSmartRcvDriveData,     512, 528, 0x00, 1, 1, 0x00, 0x00, 0xEC},
    {"identifyPkt", kSmartRcvDriveData,     512, 528, 0x00, 1, 1, 0x00, 0x00, 0xA1},
    {"attributes",  kSmartRcvDriveData,     512, 528, 0xD0, 1, 1, 0x4F, 0xC2, 0xB0},
    {"thresholds",  kSmartRcvDriveData,     512, 528, 0xD1, 1, 1, 0x4F, 0xC2, 0xB0},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(AllCommandsAllDrives, CommandBytes,
                         ::testing::Combine(::testing::ValuesIn(kCommands), ::testing::Values(0, 1, 2, 3)),
                         [](const auto &param) {
                             return std::string(std::get<0>(param.param).name) + "_drive"
                                 + std::to_string(std::get<1>(param.param));
                         });

TEST(IdentifyCommandFor, ChoosesThePacketCommandOnlyForTheDrivesAtapiBit)
{
    struct Case
    {
        std::uint8_t map, drive, expected;
    };
    const Case cases[] = {
        {0x20, 1, 0xA1}, {0x20, 0, 0xEC}, {0x10, 0, 0xA1}, {0x10, 1, 0xEC}, {0x0F, 0, 0xEC},
        {0x0F, 1, 0xEC}, {0x0F, 2, 0xEC}, {0x0F, 3, 0xEC}, {0x80, 3, 0xA1}, {0x00, 0, 0xEC},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(DriveTransport::IdentifyCommandFor(c.map, c.drive), c.expected)
            << "map " << int(c.map) << " drive " << int(c.drive);
    }
}

TEST(GetSmartVersion, ClearsTheBlockSoAFailureReadsAsNoDevices)
{
    FakeDriveControl control;
    control.drive(0).deviceMap.reset();
    DriveTransport transport(control);
    DriveHandle handle = transport.OpenPhysicalDrive("0");
    GETVERSIONINPARAMS version;
    std::memset(&version, 0xFF, sizeof version);
    EXPECT_FALSE(transport.GetSmartVersion(handle, version));
    EXPECT_EQ(version.bIDEDeviceMap, 0);
    ASSERT_EQ(control.requests.size(), 1u);
    EXPECT_EQ(control.requests[0].code, kSmartGetVersion);
    EXPECT_TRUE(control.requests[0].in.empty());
    EXPECT_EQ(control.requests[0].outSize, 24u);
}

TEST(OpenPhysicalDrive, NamesTheDeviceByTheTextGiven)
{
    FakeDriveControl control;
    DriveTransport transport(control);
    EXPECT_FALSE(transport.OpenPhysicalDrive("3").valid());
    EXPECT_FALSE(transport.DriveExists(12));
    EXPECT_EQ(control.openedPaths, (std::vector<std::string>{"\\\\.\\PhysicalDrive3", "\\\\.\\PhysicalDrive12"}));
}

TEST(DriveExists, OpensAndClosesWithoutSendingAnything)
{
    FakeDriveControl control;
    control.drive(2);
    DriveTransport transport(control);
    EXPECT_TRUE(transport.DriveExists(2));
    EXPECT_FALSE(transport.DriveExists(1));
    EXPECT_TRUE(control.requests.empty());
    EXPECT_EQ(control.opens, 1);
    EXPECT_EQ(control.closes, 1);
    EXPECT_TRUE(control.open.empty());
}

std::vector<std::uint32_t> codes(const FakeDriveControl &control)
{
    std::vector<std::uint32_t> out;
    for (const auto &r : control.requests) {
        out.push_back(r.code);
    }
    return out;
}

TEST(ReadDriveModel, SendsItsThreeAtaRequestsWhateverTheyYieldAndCloses)
{
    FakeDriveControl control;
    auto &d = control.drive(1);
    d.deviceMap.reset();
    d.enableOk = false;
    test::putIdentifyText(*d.identify, kModelOffset, "ST3000DM001-9YN166                      ");
    DriveTransport transport(control);
    EXPECT_EQ(ReadDriveModel(transport, 1), "ST3000DM001-9YN166                      ");
    // The failed version request has the drive asked as NVMe first; it does not answer.
    EXPECT_EQ(codes(control),
              (std::vector<std::uint32_t>{kSmartGetVersion, kIoctlStorageQueryProperty, kIoctlStorageQueryProperty,
                                          kSmartSendDriveCommand, kSmartRcvDriveData}));
    EXPECT_EQ(control.requests[4].command(), kAtaIdentifyDevice); // failed version: ECh
    EXPECT_EQ(control.closes, 1);
    EXPECT_TRUE(control.open.empty());
}

TEST(ReadDriveModel, IsEmptyWhenIdentifyFailsOrTheDriveIsMissing)
{
    FakeDriveControl control;
    control.drive(0).identify.reset();
    DriveTransport transport(control);
    transport.buffers().IdentifyBuffer.fill('X'); // a model read before
    EXPECT_EQ(ReadDriveModel(transport, 0), "");
    EXPECT_EQ(ReadDriveModel(transport, 3), "");
    EXPECT_EQ(control.requests.size(), 3u); // the missing drive is sent nothing
    EXPECT_EQ(control.closes, 1);
}

TEST(ReadTemperature, SendsAllFiveRequestsEvenWhenEarlierOnesFail)
{
    FakeDriveControl control;
    auto &d = control.drive(3);
    d.deviceMap = 0x80; // ATAPI drive 3
    d.enableOk = false;
    d.identify.reset();
    d.attributes.reset();
    DriveTransport transport(control);
    const TAttrReading r = ReadTemperature(transport, 3);
    EXPECT_EQ(codes(control),
              (std::vector<std::uint32_t>{kSmartGetVersion, kSmartSendDriveCommand, kSmartRcvDriveData,
                                          kSmartRcvDriveData, kSmartRcvDriveData}));
    EXPECT_EQ(control.requests[2].command(), kAtaIdentifyPacketDevice);
    EXPECT_EQ(control.requests[3].features(), kSmartReadAttributeValues);
    EXPECT_EQ(control.requests[4].features(), kSmartReadAttributeThresholds);
    EXPECT_EQ(r.Raw, kNoTemperature);
    EXPECT_EQ(r.Threshold, kNoThreshold);
    EXPECT_EQ(control.closes, 1);
    EXPECT_TRUE(control.open.empty());
}

TEST(ReadTemperature, NeverShowsTheSectorsAnotherDriveLeftBehind)
{
    FakeDriveControl control;
    control.drive(0).attributes = test::attributeSector({{0, {194, 100, 100, 35, 0}}});
    auto &broken = control.drive(1);
    broken.attributes.reset();
    broken.thresholds.reset();
    DriveTransport transport(control);
    EXPECT_EQ(ReadTemperature(transport, 0).Raw, 35);
    const TAttrReading second = ReadTemperature(transport, 1);
    EXPECT_EQ(second, (TAttrReading{kNoTemperature, kNoThreshold, 0, 0}));
}

TEST(ReadTemperature, AFailedThresholdReadLeavesThresholdsZero)
{
    FakeDriveControl control;
    control.drive(0).attributes = test::attributeSector({{0, {194, 100, 100, 35, 0}}});
    control.drive(0).thresholds = test::thresholdSector({{0, 7}});
    control.drive(1).attributes = test::attributeSector({{0, {194, 90, 80, 41, 0}}});
    control.drive(1).thresholds.reset();
    DriveTransport transport(control);
    EXPECT_EQ(ReadTemperature(transport, 0).Threshold, 7);
    EXPECT_EQ(ReadTemperature(transport, 1), (TAttrReading{41, 0, 90, 80}));
}

TEST(ReadTemperature, OnAMissingDriveSendsNothingAndYieldsTheMarks)
{
    FakeDriveControl control;
    DriveTransport transport(control);
    EXPECT_EQ(ReadTemperature(transport, 2), (TAttrReading{kNoTemperature, kNoThreshold, 0, 0}));
    EXPECT_TRUE(control.requests.empty());
    EXPECT_EQ(control.closes, 0);
}

TEST(ReplyBuffers, KeepTheirContentsAfterAFailedRequestWhateverTheDriverWrote)
{
    FakeDriveControl control;
    auto &d = control.drive(0);
    d.identify.reset();
    d.scribbleOnFailure = 0xEE;
    DriveTransport transport(control);
    transport.buffers().IdentifyBuffer.fill(0x11);
    DriveHandle handle = transport.OpenPhysicalDrive("0");
    SENDCMDINPARAMS block{};
    EXPECT_FALSE(transport.IdentifyDrive(handle, block, 0, kAtaIdentifyDevice));
    ReplyBuffer expected;
    expected.fill(0x11);
    EXPECT_EQ(transport.buffers().IdentifyBuffer, expected);
}

} // namespace
} // namespace orvane
