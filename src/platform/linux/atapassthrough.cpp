// SPDX-License-Identifier: MIT
#include "platform/linux/atapassthrough.h"

#include <algorithm>
#include <cerrno>
#include <scsi/sg.h>
#include <sys/ioctl.h>

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
// Long enough for a disk that has to spin up from standby first.
constexpr unsigned kCommandTimeoutMs = 15000;

} // namespace

AtaPassThrough buildAtaPassThrough(const AtaCommand &command)
{
    const AtaRegisters &regs = command.registers;
    AtaPassThrough pt;
    pt.dataIn = command.dataIn();
    std::array<std::uint8_t, 16> &cdb = pt.cdb;
    cdb[0] = kAtaPassThrough16;
    cdb[1] = static_cast<std::uint8_t>((pt.dataIn ? kProtocolPioDataIn : kProtocolNonData) << 1);
    cdb[2] = pt.dataIn ? kDataInTransfer : 0;
    // 28-bit command: the low byte of each field; the high bytes (3, 5, 7, 9, 11) stay 0.
    cdb[4] = regs.features;
    cdb[6] = regs.sectorCount;
    cdb[8] = regs.sectorNumber;
    cdb[10] = regs.cylLow;
    cdb[12] = regs.cylHigh;
    // Each block device is one drive and the kernel (or the bridge) selects it; the
    // master/slave bit that the drive number chose on Windows would address a device that
    // is not there, so it is cleared.
    cdb[13] = static_cast<std::uint8_t>(regs.driveHead & ~0x10);
    cdb[14] = regs.command;
    return pt;
}

bool passThroughSucceeded(const PassThroughStatus &status)
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

bool sendAtaPassThrough(int fd, const AtaCommand &command, std::span<std::uint8_t, kSectorSize> sector, int &error)
{
    AtaPassThrough pt = buildAtaPassThrough(command);
    std::array<std::uint8_t, 64> sense{};
    sg_io_hdr_t io{};
    io.interface_id = 'S';
    io.cmdp = pt.cdb.data();
    io.cmd_len = static_cast<unsigned char>(pt.cdb.size());
    io.sbp = sense.data();
    io.mx_sb_len = static_cast<unsigned char>(sense.size());
    io.timeout = kCommandTimeoutMs;
    if (pt.dataIn) {
        io.dxfer_direction = SG_DXFER_FROM_DEV;
        io.dxferp = sector.data();
        io.dxfer_len = kSectorSize;
    } else {
        io.dxfer_direction = SG_DXFER_NONE;
    }
    error = 0;
    if (::ioctl(fd, SG_IO, &io) < 0) {
        error = errno;
        return false;
    }
    const PassThroughStatus status{io.status, io.host_status, io.driver_status,
                                   std::span<const std::uint8_t>(sense.data(), io.sb_len_wr), io.resid};
    return passThroughSucceeded(status);
}

} // namespace orvane
