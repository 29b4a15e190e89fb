// SPDX-License-Identifier: MIT
// The one place that decides which requests may reach a drive: every drive back-end except
// the Windows driver carries only what decodeDriveRequest let through.
#include "drive/drivetransport.h"
#include "drive/passthroughdrivecontrol.h"

#include <gtest/gtest.h>
#include <vector>

namespace orvane {
namespace {

// A back-end that only counts and records what reached it, answering with a marked sector.
class RecordingBackEnd : public PassThroughDriveControl
{
public:
    std::optional<std::uint8_t> map = 0x21;
    bool completes = true;
    int versionCalls = 0;
    std::vector<AtaCommand> carried;

    DeviceHandle createFile(const std::string &path) override
    {
        return physicalDriveNumber(path).value_or(99) < 4 ? 7 : kInvalidHandle;
    }
    void closeHandle(DeviceHandle) override { }

protected:
    std::optional<std::uint8_t> deviceMap(DeviceHandle) override
    {
        ++versionCalls;
        return map;
    }
    bool ataPassThrough(DeviceHandle, const AtaCommand &command, std::span<std::uint8_t, kSectorSize> sector) override
    {
        carried.push_back(command);
        std::fill(sector.begin(), sector.end(), 0x5A);
        sector[0] = static_cast<std::uint8_t>(command.kind);
        return completes;
    }
    bool nvmeAdminCommand(DeviceHandle, NvmeCommand command, std::span<std::uint8_t> data) override
    {
        nvmeCarried.push_back(command);
        std::fill(data.begin(), data.end(), 0x6B);
        return completes;
    }

public:
    std::vector<NvmeCommand> nvmeCarried;
};

SENDCMDINPARAMS block(std::uint8_t features, std::uint8_t cylLow, std::uint8_t cylHigh, std::uint8_t command,
                      std::uint32_t bufferSize = kSectorSize)
{
    SENDCMDINPARAMS b{};
    b.cBufferSize = bufferSize;
    b.irDriveRegs = {features, 1, 1, cylLow, cylHigh, 0xA0, command, 0};
    return b;
}

SENDCMDINPARAMS smart(std::uint8_t features)
{
    return block(features, kSmartCylLow, kSmartCylHigh, kAtaSmartCommand);
}

std::span<const std::uint8_t> bytesOf(const SENDCMDINPARAMS &b, std::size_t size = kCommandBytesSent)
{
    return {reinterpret_cast<const std::uint8_t *>(&b), size};
}

// What the transport sends for each operation reaches the back-end with exactly the
// registers and drive number it put into the block: nothing is rebuilt on the way.
TEST(DriveRequest, CarriesTheTransportsCommandsWithTheirExactRegisters)
{
    for (std::uint8_t drive = 0; drive < 4; ++drive) {
        RecordingBackEnd backEnd;
        DriveTransport transport(backEnd);
        DriveHandle handle = transport.OpenPhysicalDrive(std::to_string(drive));
        SENDCMDINPARAMS command{};
        EXPECT_TRUE(transport.EnableSmart(handle, command, drive));
        EXPECT_TRUE(transport.IdentifyDrive(handle, command, drive, kAtaIdentifyDevice));
        EXPECT_TRUE(transport.IdentifyDrive(handle, command, drive, kAtaIdentifyPacketDevice));
        EXPECT_TRUE(transport.ReadSmartAttributes(handle, command, drive));
        EXPECT_TRUE(transport.ReadSmartThresholds(handle, command, drive));
        const std::uint8_t head = (drive & 1) ? 0xB0 : 0xA0;
        const struct
        {
            AtaCommandKind kind;
            AtaRegisters registers;
            bool dataIn;
        } expected[] = {
            {AtaCommandKind::SmartEnableOperations, {0xD8, 1, 1, 0x4F, 0xC2, head, 0xB0}, false},
            {AtaCommandKind::IdentifyDevice, {0, 1, 1, 0, 0, head, 0xEC}, true},
            {AtaCommandKind::IdentifyPacketDevice, {0, 1, 1, 0, 0, head, 0xA1}, true},
            {AtaCommandKind::SmartReadAttributeValues, {0xD0, 1, 1, 0x4F, 0xC2, head, 0xB0}, true},
            {AtaCommandKind::SmartReadAttributeThresholds, {0xD1, 1, 1, 0x4F, 0xC2, head, 0xB0}, true},
        };
        ASSERT_EQ(backEnd.carried.size(), std::size(expected));
        for (std::size_t i = 0; i < std::size(expected); ++i) {
            const AtaCommand &got = backEnd.carried[i];
            EXPECT_EQ(got.kind, expected[i].kind) << "drive " << int(drive) << ", request " << i;
            EXPECT_EQ(got.registers, expected[i].registers) << "drive " << int(drive) << ", request " << i;
            EXPECT_EQ(got.dataIn(), expected[i].dataIn) << "request " << i;
            EXPECT_EQ(got.driveNumber, drive);
        }
        // The sector the back-end read lands after the 16-byte header, with its size.
        const ReplyBuffer &reply = transport.buffers().ThresholdBuffer;
        EXPECT_EQ(reply[0] | reply[1] << 8, 512);
        EXPECT_EQ(reply[kReplyHeaderSize], static_cast<std::uint8_t>(AtaCommandKind::SmartReadAttributeThresholds));
        EXPECT_EQ(reply.back(), 0x5A);
    }
}

std::vector<std::pair<std::string, std::pair<std::uint32_t, SENDCMDINPARAMS>>> refusedCommands()
{
    std::vector<std::pair<std::string, std::pair<std::uint32_t, SENDCMDINPARAMS>>> cases;
    for (unsigned f = 0; f < 256; ++f) {
        const auto features = static_cast<std::uint8_t>(f);
        if (features != kSmartEnableOperations) {
            cases.push_back({"S.M.A.R.T. feature " + std::to_string(f) + " as a command",
                             {kSmartSendDriveCommand, smart(features)}});
        }
        if (features != kSmartReadAttributeValues && features != kSmartReadAttributeThresholds) {
            cases.push_back(
                {"S.M.A.R.T. feature " + std::to_string(f) + " as a read", {kSmartRcvDriveData, smart(features)}});
        }
    }
    for (unsigned c = 0; c < 256; ++c) {
        const auto command = static_cast<std::uint8_t>(c);
        if (command != kAtaIdentifyDevice && command != kAtaIdentifyPacketDevice && command != kAtaSmartCommand) {
            cases.push_back({"command " + std::to_string(c) + " as a read",
                             {kSmartRcvDriveData, block(kSmartReadAttributeValues, 0x4F, 0xC2, command)}});
            cases.push_back({"command " + std::to_string(c) + " as a command",
                             {kSmartSendDriveCommand, block(kSmartEnableOperations, 0x4F, 0xC2, command)}});
        }
    }
    cases.push_back({"IDENTIFY as a non-data command", {kSmartSendDriveCommand, block(0, 0, 0, kAtaIdentifyDevice)}});
    cases.push_back({"read without the 4Fh/C2h signature", {kSmartRcvDriveData, block(0xD0, 0, 0, kAtaSmartCommand)}});
    cases.push_back({"read with only cyl low", {kSmartRcvDriveData, block(0xD0, 0x4F, 0, kAtaSmartCommand)}});
    cases.push_back({"ENABLE with only cyl high", {kSmartSendDriveCommand, block(0xD8, 0, 0xC2, kAtaSmartCommand)}});
    for (const std::uint32_t code : {0u, 0x00074084u, 0x0007C080u, 0x0007C08Cu, 0x0004D008u, 0x0007C088u + 0x10000u}) {
        cases.push_back({"request code " + std::to_string(code), {code, smart(kSmartReadAttributeValues)}});
    }
    return cases;
}

// Everything outside the allow-list (writes, logs, self-tests, unknown codes) fails before
// any back-end sees it.
TEST(DriveRequest, RefusesEveryOtherCommandFeatureAndCodeBeforeTheBackEnd)
{
    RecordingBackEnd backEnd;
    std::array<std::uint8_t, kDataReplySize> out{};
    for (const auto &[what, request] : refusedCommands()) {
        EXPECT_FALSE(decodeDriveRequest(request.first, bytesOf(request.second), out.size())) << what;
        EXPECT_FALSE(backEnd.deviceIoControl(7, request.first, bytesOf(request.second), out)) << what;
    }
    EXPECT_TRUE(backEnd.carried.empty());
    EXPECT_EQ(backEnd.versionCalls, 0);
}

// A block or reply area too small for the request would be read or written past its end.
TEST(DriveRequest, RefusesBlocksAndReplyAreasThatAreTooSmall)
{
    RecordingBackEnd backEnd;
    std::array<std::uint8_t, kDataReplySize> out{};
    const SENDCMDINPARAMS read = smart(kSmartReadAttributeValues);
    const SENDCMDINPARAMS enable = smart(kSmartEnableOperations);
    const std::span<std::uint8_t> area(out);
    EXPECT_FALSE(backEnd.deviceIoControl(7, kSmartRcvDriveData, bytesOf(read, 31), area));
    EXPECT_FALSE(backEnd.deviceIoControl(7, kSmartRcvDriveData, bytesOf(read), area.first(kDataReplySize - 1)));
    EXPECT_FALSE(backEnd.deviceIoControl(7, kSmartSendDriveCommand, bytesOf(enable, 31), area));
    EXPECT_FALSE(backEnd.deviceIoControl(7, kSmartSendDriveCommand, bytesOf(enable), area.first(15)));
    EXPECT_FALSE(backEnd.deviceIoControl(7, kSmartGetVersion, {}, area.first(23)));
    EXPECT_TRUE(backEnd.carried.empty());
    EXPECT_EQ(backEnd.versionCalls, 0);
    // The smallest areas that fit are enough.
    EXPECT_TRUE(backEnd.deviceIoControl(7, kSmartRcvDriveData, bytesOf(read), area.first(kDataReplySize)));
    EXPECT_TRUE(backEnd.deviceIoControl(7, kSmartSendDriveCommand, bytesOf(enable), area.first(16)));
    EXPECT_TRUE(backEnd.deviceIoControl(7, kSmartGetVersion, {}, area.first(24)));
}

TEST(DriveRequest, AnswersTheVersionWithTheBackEndsDeviceMap)
{
    RecordingBackEnd backEnd;
    DriveTransport transport(backEnd);
    DriveHandle handle = transport.OpenPhysicalDrive("1");
    GETVERSIONINPARAMS version{};
    ASSERT_TRUE(transport.GetSmartVersion(handle, version));
    EXPECT_EQ(version.bVersion, 1);
    EXPECT_EQ(version.bIDEDeviceMap, 0x21);
    EXPECT_EQ(version.fCapabilities, 7u);
    EXPECT_EQ(DriveTransport::IdentifyCommandFor(version.bIDEDeviceMap, 1), kAtaIdentifyPacketDevice);

    backEnd.map.reset();
    EXPECT_FALSE(transport.GetSmartVersion(handle, version));
    EXPECT_EQ(version.bIDEDeviceMap, 0);
}

// A command the drive did not complete fails, and the shared reply buffer keeps what it held.
TEST(DriveRequest, AFailedCommandReportsFailure)
{
    RecordingBackEnd backEnd;
    DriveTransport transport(backEnd);
    DriveHandle handle = transport.OpenPhysicalDrive("0");
    SENDCMDINPARAMS command{};
    ASSERT_TRUE(transport.ReadSmartAttributes(handle, command, 0));
    const ReplyBuffer before = transport.buffers().AttributeBuffer;
    backEnd.completes = false;
    EXPECT_FALSE(transport.ReadSmartAttributes(handle, command, 0));
    EXPECT_FALSE(transport.EnableSmart(handle, command, 0));
    EXPECT_EQ(transport.buffers().AttributeBuffer, before);
}

// The two NVMe queries reach the back-end as the checked commands and come back in the
// driver's reply format; a reply area too small for the answer is refused before it.
TEST(DriveRequest, CarriesTheTwoNvmeCommandsAndAnswersInTheDriversFormat)
{
    RecordingBackEnd backEnd;
    DriveTransport transport(backEnd);
    DriveHandle handle = transport.OpenPhysicalDrive("0");
    NvmeIdentifyData identify{};
    NvmeHealthLog health{};
    EXPECT_TRUE(transport.queryNvme(handle, NvmeCommand::IdentifyController, identify));
    EXPECT_TRUE(transport.queryNvme(handle, NvmeCommand::HealthLog, health));
    EXPECT_EQ(backEnd.nvmeCarried, (std::vector<NvmeCommand>{NvmeCommand::IdentifyController, NvmeCommand::HealthLog}));
    EXPECT_EQ(identify[4095], 0x6B);
    EXPECT_EQ(health[0], 0x6B);

    const std::vector<std::uint8_t> query = nvmeQuery(NvmeCommand::HealthLog);
    std::vector<std::uint8_t> shortReply(query.size() - 1);
    EXPECT_FALSE(backEnd.deviceIoControl(handle.get(), kIoctlStorageQueryProperty, query, shortReply));
    std::vector<std::uint8_t> otherLog = query;
    otherLog[16] = 0x01; // the error information log
    std::vector<std::uint8_t> reply(query.size());
    EXPECT_FALSE(backEnd.deviceIoControl(handle.get(), kIoctlStorageQueryProperty, otherLog, reply));
    EXPECT_EQ(backEnd.nvmeCarried.size(), 2u);
    EXPECT_TRUE(backEnd.carried.empty());
}

TEST(PhysicalDrive, PathAndNumberAreInverse)
{
    EXPECT_EQ(physicalDrivePath("3"), "\\\\.\\PhysicalDrive3");
    EXPECT_EQ(physicalDriveNumber("\\\\.\\PhysicalDrive0"), 0u);
    EXPECT_EQ(physicalDriveNumber("\\\\.\\PhysicalDrive13"), 13u);
    EXPECT_EQ(physicalDriveNumber("\\\\.\\PhysicalDrive999"), 999u);
    for (const char *bad : {"\\\\.\\PhysicalDrive", "\\\\.\\PhysicalDrive01", "\\\\.\\PhysicalDrive-1",
                            "\\\\.\\PhysicalDrive1x", "\\\\.\\PhysicalDrive1000", "\\\\.\\PhysicalDrive+1",
                            "\\\\.\\PhysicalDrive 1", "/dev/sda", "PhysicalDrive1", "\\\\.\\physicaldrive1"}) {
        EXPECT_FALSE(physicalDriveNumber(bad)) << bad;
    }
}

} // namespace
} // namespace orvane
