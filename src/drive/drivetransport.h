// SPDX-License-Identifier: MIT
#pragma once

#include "drive/drivecontrol.h"
#include "drive/drivehandle.h"
#include "drive/nvmerequest.h"
#include "drive/smartstructs.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace orvane {

using ReplyBuffer = std::array<std::uint8_t, kDataReplySize>;
using Sector = std::span<const std::uint8_t, kSectorSize>;

// The three reply areas shared by every drive operation, one per data command. They are
// zero at start, change only when a reply arrives (or when the details refresh clears
// them) and keep their old contents after a failed request.
struct ReplyBuffers
{
    ReplyBuffer IdentifyBuffer{};
    ReplyBuffer AttributeBuffer{};
    ReplyBuffer ThresholdBuffer{};
};

// The 512 data bytes of a reply (after the 16-byte SENDCMDOUTPARAMS header).
inline Sector sectorOf(const ReplyBuffer &reply)
{
    return Sector(reply.data() + kReplyHeaderSize, kSectorSize);
}

// The only place that talks to a drive: builds the command blocks of the S.M.A.R.T.
// requests, sends them through the platform's drive control and owns the reply buffers.
class DriveTransport
{
public:
    explicit DriveTransport(DriveControl &control)
        : m_control(control)
    {
    }

    // Opens "\\.\PhysicalDrive" followed by `driveName` unchanged (the decimal drive number).
    [[nodiscard]] DriveHandle OpenPhysicalDrive(std::string_view driveName);

    // True when the drive opens; closes it again at once and sends nothing.
    [[nodiscard]] bool DriveExists(std::uint8_t drive);

    // Clears `version`, then asks for the driver's version block. After a failure the
    // device map reads 0.
    [[nodiscard]] bool GetSmartVersion(const DriveHandle &drive, GETVERSIONINPARAMS &version);

    // IDENTIFY PACKET DEVICE (A1h) when the map flags the drive as ATAPI (bit 4 + drive),
    // otherwise IDENTIFY DEVICE (ECh).
    [[nodiscard]] static std::uint8_t IdentifyCommandFor(std::uint8_t deviceMap, std::uint8_t drive);

    // Each fills `command` as it sends it (the block then holds exactly what was sent) and
    // yields true exactly when the driver reports success.
    [[nodiscard]] bool EnableSmart(const DriveHandle &drive, SENDCMDINPARAMS &command, std::uint8_t driveNumber);
    [[nodiscard]] bool IdentifyDrive(const DriveHandle &drive, SENDCMDINPARAMS &command, std::uint8_t driveNumber,
                                     std::uint8_t identifyCommand);
    [[nodiscard]] bool ReadSmartAttributes(const DriveHandle &drive, SENDCMDINPARAMS &command,
                                           std::uint8_t driveNumber);
    [[nodiscard]] bool ReadSmartThresholds(const DriveHandle &drive, SENDCMDINPARAMS &command,
                                           std::uint8_t driveNumber);

    // Asks an NVMe drive through the storage driver's protocol-specific query. Copies the
    // data of the answer into `data` (the command's size) only when the drive answered in
    // full; an NVMe reply never touches the shared ATA buffers.
    [[nodiscard]] bool queryNvme(const DriveHandle &drive, NvmeCommand command, std::span<std::uint8_t> data);

    ReplyBuffers &buffers() { return m_buffers; }
    const ReplyBuffers &buffers() const { return m_buffers; }

private:
    bool sendDataCommand(const DriveHandle &drive, SENDCMDINPARAMS &command, ReplyBuffer &reply);

    DriveControl &m_control;
    ReplyBuffers m_buffers;
};

// What a drive answered when asked as NVMe: its Identify Controller data and its health log,
// each only when that request succeeded.
struct NvmeAnswers
{
    std::optional<NvmeIdentifyData> identify;
    std::optional<NvmeHealthLog> health;

    [[nodiscard]] bool answered() const { return identify || health; }
};

// Sends Identify Controller, then reads the health log, whatever the first yielded.
[[nodiscard]] NvmeAnswers askAsNvme(DriveTransport &transport, const DriveHandle &drive);

// The first five steps that every reading operation shares: open, version, identify
// command choice, ENABLE OPERATIONS and IDENTIFY. The handle closes with the object.
struct OpeningSequence
{
    DriveHandle handle;
    GETVERSIONINPARAMS version{};
    SENDCMDINPARAMS command{};
    std::uint8_t identifyCommand = kAtaIdentifyDevice;
    bool versionOk = false;
    bool smartEnabled = false;
    bool identified = false;
    // Filled when the version request failed: an NVMe drive's driver answers no S.M.A.R.T.
    // request, so the drive is asked as NVMe before anything else is sent.
    NvmeAnswers nvme{};
};

// Runs the opening sequence on `drive`, sending every request whatever the earlier ones
// yielded (with a failed open each of them fails). When the version request fails the
// drive is asked as NVMe first; if it answers, the sequence ends there and no ATA command
// is sent, otherwise it goes on as for any drive whose version request failed.
[[nodiscard]] OpeningSequence runOpeningSequence(DriveTransport &transport, std::uint8_t drive);

} // namespace orvane
