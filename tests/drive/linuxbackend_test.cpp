// SPDX-License-Identifier: MIT
// The Linux back-end's translation to ATA PASS-THROUGH (16) and its reading of the SCSI
// outcome, against what QEMU's emulated disks showed under Linux 6.1 (scripts/qemu): the
// command blocks smartctl 7.3 sent for the same reads (`smartctl -r ioctl,2`) and the sense
// data the kernel returned.
#include "platform/linux/atapassthrough.h"

#include <gtest/gtest.h>
#include <vector>

namespace orvane {
namespace {

using Cdb = std::array<std::uint8_t, 16>;

SENDCMDINPARAMS command(std::uint8_t features, std::uint8_t cylLow, std::uint8_t cylHigh, std::uint8_t driveHead,
                        std::uint8_t commandReg)
{
    SENDCMDINPARAMS c{};
    c.irDriveRegs = {features, 1, 1, cylLow, cylHigh, driveHead, commandReg, 0};
    return c;
}

SENDCMDINPARAMS smart(std::uint8_t features, std::uint8_t driveHead = 0xA0)
{
    return command(features, kSmartCylLow, kSmartCylHigh, driveHead, kAtaSmartCommand);
}

struct CdbCase
{
    const char *what;
    std::uint32_t code;
    SENDCMDINPARAMS command;
    Cdb expected;
    bool dataIn;
};

// smartctl sent 85 08 0e 00 <features> 00 01 00 <lba low> 00 <4f|00> 00 <c2|00> 00 <command> 00
// for the three reads on both disks, PIIX and AHCI. This program's blocks differ only where
// its registers differ: sector number 1 (byte 8) and device A0h (byte 13). Byte 2 must never
// carry CK_COND (20h): QEMU's AHCI disk refuses a data read that asks for the registers.
TEST(AtaPassThrough, MatchesWhatTheReferenceReaderSends)
{
    const CdbCase cases[] = {
        {"IDENTIFY DEVICE",
         kSmartRcvDriveData,
         command(0, 0, 0, 0xA0, kAtaIdentifyDevice),
         {0x85, 0x08, 0x0e, 0, 0x00, 0, 0x01, 0, 0x01, 0, 0x00, 0, 0x00, 0xa0, 0xec, 0},
         true},
        {"IDENTIFY DEVICE of drive 1: the kernel picks the device, the slave bit goes",
         kSmartRcvDriveData,
         command(0, 0, 0, 0xB0, kAtaIdentifyDevice),
         {0x85, 0x08, 0x0e, 0, 0x00, 0, 0x01, 0, 0x01, 0, 0x00, 0, 0x00, 0xa0, 0xec, 0},
         true},
        {"IDENTIFY PACKET DEVICE",
         kSmartRcvDriveData,
         command(0, 0, 0, 0xA0, kAtaIdentifyPacketDevice),
         {0x85, 0x08, 0x0e, 0, 0x00, 0, 0x01, 0, 0x01, 0, 0x00, 0, 0x00, 0xa0, 0xa1, 0},
         true},
        {"READ ATTRIBUTE VALUES",
         kSmartRcvDriveData,
         smart(kSmartReadAttributeValues, 0xB0),
         {0x85, 0x08, 0x0e, 0, 0xd0, 0, 0x01, 0, 0x01, 0, 0x4f, 0, 0xc2, 0xa0, 0xb0, 0},
         true},
        {"READ ATTRIBUTE THRESHOLDS",
         kSmartRcvDriveData,
         smart(kSmartReadAttributeThresholds),
         {0x85, 0x08, 0x0e, 0, 0xd1, 0, 0x01, 0, 0x01, 0, 0x4f, 0, 0xc2, 0xa0, 0xb0, 0},
         true},
        // Non-data protocol (3), no transfer, no CK_COND.
        {"ENABLE OPERATIONS",
         kSmartSendDriveCommand,
         smart(kSmartEnableOperations),
         {0x85, 0x06, 0x00, 0, 0xd8, 0, 0x01, 0, 0x01, 0, 0x4f, 0, 0xc2, 0xa0, 0xb0, 0},
         false},
    };
    for (const CdbCase &c : cases) {
        const auto in =
            std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t *>(&c.command), kCommandBytesSent);
        const std::optional<DriveRequest> request = decodeDriveRequest(c.code, in, kDataReplySize);
        ASSERT_TRUE(request && std::holds_alternative<AtaCommand>(*request)) << c.what;
        const AtaPassThrough pt = buildAtaPassThrough(std::get<AtaCommand>(*request));
        EXPECT_EQ(pt.cdb, c.expected) << c.what;
        EXPECT_EQ(pt.dataIn, c.dataIn) << c.what;
    }
}

// Sense data as Linux 6.1 returned it for a command that asked for the result registers on
// QEMU's PIIX disk: descriptor format, RECOVERED ERROR, 00h/1Dh (ATA pass-through information
// available), and the ATA Status Return descriptor with status 50h.
std::vector<std::uint8_t> registersSense(std::uint8_t ataStatus = 0x50)
{
    return {0x72, 0x01, 0x00, 0x1d, 0x00, 0x00, 0x00, 0x0e, 0x09, 0x0c, 0x00,
            0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x4f, 0x00, 0xc2, 0xa0, ataStatus};
}

TEST(AtaPassThrough, ReadsTheKernelsOutcome)
{
    constexpr std::uint8_t good = 0x00, checkCondition = 0x02;
    constexpr std::uint16_t driverSense = 0x08, driverTimeout = 0x06, didNoConnect = 0x01;
    std::vector<std::uint8_t> aborted = registersSense();
    aborted[1] = 0x0b; // ABORTED COMMAND
    aborted[3] = 0x00;
    const std::vector<std::uint8_t> sense = registersSense();
    const std::vector<std::uint8_t> error = registersSense(0x51);
    const std::vector<std::uint8_t> deviceFault = registersSense(0x70);
    // The status byte (the last) is cut off: nothing may be read past the returned sense.
    const std::vector<std::uint8_t> cut(sense.begin(), sense.end() - 1);

    const struct
    {
        const char *what;
        PassThroughStatus status;
        bool expected;
    } cases[] = {
        {"GOOD", {good, 0, 0, {}}, true},
        {"registers returned, status 50h", {checkCondition, 0, driverSense, sense}, true},
        {"registers returned, ERR set", {checkCondition, 0, driverSense, error}, false},
        {"registers returned, DF set", {checkCondition, 0, driverSense, deviceFault}, false},
        {"ABORTED COMMAND", {checkCondition, 0, driverSense, aborted}, false},
        {"CHECK CONDITION without sense", {checkCondition, 0, driverSense, {}}, false},
        {"sense cut before the status byte", {checkCondition, 0, driverSense, cut}, false},
        {"GOOD but the host lost the device", {good, didNoConnect, 0, {}}, false},
        {"GOOD but the driver timed out", {good, 0, driverTimeout, {}}, false},
        // A bridge that answers a read it does not pass on: GOOD, and nothing transferred.
        {"GOOD but no byte arrived", {good, 0, 0, {}, 512}, false},
        {"GOOD but the last 12 bytes are missing", {good, 0, 0, {}, 12}, false},
        {"registers returned, read short", {checkCondition, 0, driverSense, sense, 512}, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(passThroughSucceeded(c.status), c.expected) << c.what;
    }
}

} // namespace
} // namespace orvane
