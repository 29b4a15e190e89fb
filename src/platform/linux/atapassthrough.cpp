#include "platform/linux/atapassthrough.h"

#include <algorithm>

namespace orvane {

namespace {

constexpr std::uint8_t kAtaPassThrough16 = 0x85;
constexpr std::uint8_t kProtocolNonData = 3;
constexpr std::uint8_t kProtocolPioDataIn = 4;
// Byte 2: T_DIR (bit 3) device to host, BYTE_BLOCK (bit 2) length in blocks, T_LENGTH
// (bits 1-0) = 2, the length is in the sector count field. CK_COND (bit 5) stays clear:
// several controllers and bridges refuse data commands that ask for the result registers.
constexpr std::uint8_t kDataInTransfer = 0x0E;
constexpr std::uint8_t kSamGood = 0x00;
constexpr std::uint8_t kSamCheckCondition = 0x02;
constexpr std::uint8_t kDriverSense = 0x08;

bool isAllowed(std::uint32_t code, const IDEREGS &regs)
{
    const bool smartSignature =
        regs.bCommandReg == ATA_SMART_CMD && regs.bCylLowReg == SMART_CYL_LOW && regs.bCylHighReg == SMART_CYL_HI;
    if (code == SMART_SEND_DRIVE_COMMAND) {
        return smartSignature && regs.bFeaturesReg == SMART_ENABLE_OPERATIONS;
    }
    if (code == SMART_RCV_DRIVE_DATA) {
        return regs.bCommandReg == ATA_IDENTIFY_DEVICE || regs.bCommandReg == ATA_IDENTIFY_PACKET_DEVICE
            || (smartSignature
                && (regs.bFeaturesReg == SMART_READ_ATTRIBUTE_VALUES
                    || regs.bFeaturesReg == SMART_READ_ATTRIBUTE_THRESHOLDS));
    }
    return false;
}

} // namespace

std::optional<AtaPassThrough> BuildAtaPassThrough(std::uint32_t code, const SENDCMDINPARAMS &command)
{
    const IDEREGS &regs = command.irDriveRegs;
    if (!isAllowed(code, regs)) {
        return std::nullopt;
    }
    AtaPassThrough pt;
    pt.dataIn = code == SMART_RCV_DRIVE_DATA;
    std::array<std::uint8_t, 16> &cdb = pt.cdb;
    cdb[0] = kAtaPassThrough16;
    cdb[1] = static_cast<std::uint8_t>((pt.dataIn ? kProtocolPioDataIn : kProtocolNonData) << 1);
    cdb[2] = pt.dataIn ? kDataInTransfer : 0;
    // 28-bit command: the low byte of each field; the high bytes (3, 5, 7, 9, 11) stay 0.
    cdb[4] = regs.bFeaturesReg;
    cdb[6] = regs.bSectorCountReg;
    cdb[8] = regs.bSectorNumberReg;
    cdb[10] = regs.bCylLowReg;
    cdb[12] = regs.bCylHighReg;
    // Each block device is one drive and the kernel (or the bridge) selects it; the
    // master/slave bit that the drive number chose on Windows would address a device that
    // is not there, so it is cleared.
    cdb[13] = static_cast<std::uint8_t>(regs.bDriveHeadReg & ~0x10);
    cdb[14] = regs.bCommandReg;
    return pt;
}

bool PassThroughSucceeded(const PassThroughStatus &status)
{
    if (status.hostStatus != 0 || (status.driverStatus & ~kDriverSense) != 0 || status.residual != 0) {
        return false;
    }
    if (status.scsiStatus == kSamGood) {
        return true;
    }
    if (status.scsiStatus != kSamCheckCondition || status.sense.size() < 8) {
        return false;
    }
    // Descriptor-format sense: key RECOVERED ERROR, ASC/ASCQ 00h/1Dh, and the ATA Status
    // Return descriptor (09h) whose status byte (descriptor byte 13) has ERR (bit 0) and
    // DF (bit 5) clear.
    const auto sense = status.sense;
    const bool descriptorFormat = (sense[0] & 0x7F) == 0x72;
    if (!descriptorFormat || (sense[1] & 0x0F) != 0x01 || sense[2] != 0x00 || sense[3] != 0x1D) {
        return false;
    }
    const std::size_t length = std::min<std::size_t>(sense.size(), 8u + sense[7]);
    for (std::size_t at = 8; at + 1 < length; at += 2u + sense[at + 1]) {
        if (sense[at] == 0x09 && at + 13 < length) {
            return (sense[at + 13] & 0x21) == 0;
        }
    }
    return false;
}

} // namespace orvane
