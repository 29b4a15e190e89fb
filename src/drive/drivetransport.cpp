// SPDX-License-Identifier: MIT
#include "drive/drivetransport.h"

#include "drive/driverequest.h"

#include <cstring>
#include <string>
#include <vector>

namespace orvane {

namespace {

// Drives 0 and 2 are addressed as master (A0h), drives 1 and 3 as slave (B0h).
std::uint8_t driveHeadFor(std::uint8_t drive)
{
    return static_cast<std::uint8_t>(0xA0 | ((drive & 1) << 4));
}

// Writes the register values of one S.M.A.R.T. command (command B0h, cylinder 4Fh/C2h).
void fillSmartCommand(SENDCMDINPARAMS &command, std::uint8_t features, std::uint32_t bufferSize, std::uint8_t drive)
{
    command.cBufferSize = bufferSize;
    command.irDriveRegs.bFeaturesReg = features;
    command.irDriveRegs.bSectorCountReg = 1;
    command.irDriveRegs.bSectorNumberReg = 1;
    command.irDriveRegs.bCylLowReg = kSmartCylLow;
    command.irDriveRegs.bCylHighReg = kSmartCylHigh;
    command.irDriveRegs.bDriveHeadReg = driveHeadFor(drive);
    command.irDriveRegs.bCommandReg = kAtaSmartCommand;
    command.bDriveNumber = drive;
}

std::span<const std::uint8_t> bytesSent(const SENDCMDINPARAMS &command)
{
    return {reinterpret_cast<const std::uint8_t *>(&command), kCommandBytesSent};
}

} // namespace

DriveHandle DriveTransport::OpenPhysicalDrive(std::string_view driveName)
{
    return DriveHandle(m_control, m_control.createFile(physicalDrivePath(driveName)));
}

bool DriveTransport::DriveExists(std::uint8_t drive)
{
    return OpenPhysicalDrive(std::to_string(drive)).valid();
}

bool DriveTransport::GetSmartVersion(const DriveHandle &drive, GETVERSIONINPARAMS &version)
{
    version = GETVERSIONINPARAMS{};
    if (!drive.valid()) {
        return false;
    }
    GETVERSIONINPARAMS answer{};
    const bool ok = m_control.deviceIoControl(drive.get(), kSmartGetVersion, {},
                                              {reinterpret_cast<std::uint8_t *>(&answer), sizeof answer});
    if (ok) {
        version = answer;
    }
    return ok;
}

std::uint8_t DriveTransport::IdentifyCommandFor(std::uint8_t deviceMap, std::uint8_t drive)
{
    // Shifting by 8 or more empties the map, so drives past 3 are never ATAPI.
    const unsigned shifted = drive < 8 ? (deviceMap >> drive) : 0u;
    return (shifted & 0x10) ? kAtaIdentifyPacketDevice : kAtaIdentifyDevice;
}

bool DriveTransport::EnableSmart(const DriveHandle &drive, SENDCMDINPARAMS &command, std::uint8_t driveNumber)
{
    fillSmartCommand(command, kSmartEnableOperations, 0, driveNumber);
    if (!drive.valid()) {
        return false;
    }
    // The reply of ENABLE OPERATIONS goes to a scratch area and is never read.
    std::array<std::uint8_t, kEnableReplyAreaSize> scratch{};
    return m_control.deviceIoControl(drive.get(), kSmartSendDriveCommand, bytesSent(command),
                                     {scratch.data(), kEnableReplySize});
}

bool DriveTransport::IdentifyDrive(const DriveHandle &drive, SENDCMDINPARAMS &command, std::uint8_t driveNumber,
                                   std::uint8_t identifyCommand)
{
    command.cBufferSize = kSectorSize;
    command.irDriveRegs.bFeaturesReg = 0;
    command.irDriveRegs.bSectorCountReg = 1;
    command.irDriveRegs.bSectorNumberReg = 1;
    command.irDriveRegs.bCylLowReg = 0;
    command.irDriveRegs.bCylHighReg = 0;
    command.irDriveRegs.bDriveHeadReg = driveHeadFor(driveNumber);
    command.irDriveRegs.bCommandReg = identifyCommand;
    command.bDriveNumber = driveNumber;
    return sendDataCommand(drive, command, m_buffers.IdentifyBuffer);
}

bool DriveTransport::ReadSmartAttributes(const DriveHandle &drive, SENDCMDINPARAMS &command, std::uint8_t driveNumber)
{
    fillSmartCommand(command, kSmartReadAttributeValues, kSectorSize, driveNumber);
    return sendDataCommand(drive, command, m_buffers.AttributeBuffer);
}

bool DriveTransport::ReadSmartThresholds(const DriveHandle &drive, SENDCMDINPARAMS &command, std::uint8_t driveNumber)
{
    fillSmartCommand(command, kSmartReadAttributeThresholds, kSectorSize, driveNumber);
    return sendDataCommand(drive, command, m_buffers.ThresholdBuffer);
}

bool DriveTransport::sendDataCommand(const DriveHandle &drive, SENDCMDINPARAMS &command, ReplyBuffer &reply)
{
    if (!drive.valid()) {
        return false;
    }
    // The reply lands in a private area first: a failed request must leave the shared
    // buffer exactly as it was, whatever the driver scribbled into its output.
    ReplyBuffer answer{};
    if (!m_control.deviceIoControl(drive.get(), kSmartRcvDriveData, bytesSent(command), answer)) {
        return false;
    }
    reply = answer;
    return true;
}

bool DriveTransport::queryNvme(const DriveHandle &drive, NvmeCommand command, std::span<std::uint8_t> data)
{
    if (!drive.valid() || data.size() != nvmeDataSize(command)) {
        return false;
    }
    const std::vector<std::uint8_t> query = nvmeQuery(command);
    std::vector<std::uint8_t> answer(query.size(), 0);
    return m_control.deviceIoControl(drive.get(), kIoctlStorageQueryProperty, query, answer)
        && nvmeReplyData(answer, data);
}

NvmeAnswers askAsNvme(DriveTransport &transport, const DriveHandle &drive)
{
    NvmeAnswers answers;
    NvmeIdentifyData identify{};
    if (transport.queryNvme(drive, NvmeCommand::IdentifyController, identify)) {
        answers.identify = identify;
    }
    NvmeHealthLog health{};
    if (transport.queryNvme(drive, NvmeCommand::HealthLog, health)) {
        answers.health = health;
    }
    return answers;
}

OpeningSequence runOpeningSequence(DriveTransport &transport, std::uint8_t drive)
{
    OpeningSequence s{.handle = transport.OpenPhysicalDrive(std::to_string(drive))};
    s.versionOk = transport.GetSmartVersion(s.handle, s.version);
    if (!s.versionOk && s.handle.valid()) {
        s.nvme = askAsNvme(transport, s.handle);
        if (s.nvme.answered()) {
            return s;
        }
    }
    s.identifyCommand = DriveTransport::IdentifyCommandFor(s.version.bIDEDeviceMap, drive);
    s.smartEnabled = transport.EnableSmart(s.handle, s.command, drive);
    s.identified = transport.IdentifyDrive(s.handle, s.command, drive, s.identifyCommand);
    return s;
}

} // namespace orvane
