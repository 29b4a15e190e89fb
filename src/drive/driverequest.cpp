// SPDX-License-Identifier: MIT
#include "drive/driverequest.h"

#include <algorithm>
#include <cstring>

namespace orvane {

namespace {

std::optional<AtaCommandKind> allowedKind(std::uint32_t code, const IDEREGS &regs)
{
    const bool smartSignature =
        regs.bCommandReg == kAtaSmartCommand && regs.bCylLowReg == kSmartCylLow && regs.bCylHighReg == kSmartCylHigh;
    if (code == kSmartSendDriveCommand) {
        if (smartSignature && regs.bFeaturesReg == kSmartEnableOperations) {
            return AtaCommandKind::SmartEnableOperations;
        }
        return std::nullopt;
    }
    if (code != kSmartRcvDriveData) {
        return std::nullopt;
    }
    if (regs.bCommandReg == kAtaIdentifyDevice) {
        return AtaCommandKind::IdentifyDevice;
    }
    if (regs.bCommandReg == kAtaIdentifyPacketDevice) {
        return AtaCommandKind::IdentifyPacketDevice;
    }
    if (smartSignature && regs.bFeaturesReg == kSmartReadAttributeValues) {
        return AtaCommandKind::SmartReadAttributeValues;
    }
    if (smartSignature && regs.bFeaturesReg == kSmartReadAttributeThresholds) {
        return AtaCommandKind::SmartReadAttributeThresholds;
    }
    return std::nullopt;
}

std::optional<DriveRequest> decodeAtaCommand(std::uint32_t code, std::span<const std::uint8_t> in,
                                             std::size_t replySize)
{
    if (in.size() < kCommandBytesSent || replySize < kReplyHeaderSize) {
        return std::nullopt;
    }
    SENDCMDINPARAMS block{};
    std::memcpy(&block, in.data(), kCommandBytesSent);
    const IDEREGS &regs = block.irDriveRegs;
    const std::optional<AtaCommandKind> kind = allowedKind(code, regs);
    if (!kind) {
        return std::nullopt;
    }
    AtaCommand command;
    command.kind = *kind;
    command.registers = {regs.bFeaturesReg, regs.bSectorCountReg, regs.bSectorNumberReg, regs.bCylLowReg,
                         regs.bCylHighReg,  regs.bDriveHeadReg,   regs.bCommandReg};
    command.driveNumber = block.bDriveNumber;
    if (command.dataIn() && replySize < kDataReplySize) {
        return std::nullopt;
    }
    return command;
}

} // namespace

std::string physicalDrivePath(std::string_view driveName)
{
    std::string path(kPhysicalDrivePrefix);
    path += driveName;
    return path;
}

std::optional<unsigned> physicalDriveNumber(std::string_view path)
{
    if (path.size() <= kPhysicalDrivePrefix.size() || !path.starts_with(kPhysicalDrivePrefix)) {
        return std::nullopt;
    }
    const std::string_view digits = path.substr(kPhysicalDrivePrefix.size());
    if (digits.size() > 3 || (digits.size() > 1 && digits.front() == '0')
        || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    unsigned number = 0;
    for (const char c : digits) {
        number = number * 10 + static_cast<unsigned>(c - '0');
    }
    return number;
}

std::optional<DriveRequest> decodeDriveRequest(std::uint32_t code, std::span<const std::uint8_t> in,
                                               std::size_t replySize)
{
    if (code == kSmartGetVersion) {
        if (replySize < sizeof(GETVERSIONINPARAMS)) {
            return std::nullopt;
        }
        return VersionRequest{};
    }
    if (code == kIoctlStorageQueryProperty) {
        const std::optional<NvmeCommand> nvme = parseNvmeQuery(code, in);
        if (!nvme || replySize < kNvmeQueryHeaderSize + nvmeDataSize(*nvme)) {
            return std::nullopt;
        }
        return *nvme;
    }
    return decodeAtaCommand(code, in, replySize);
}

void writeVersionReply(std::span<std::uint8_t> out, std::uint8_t deviceMap)
{
    GETVERSIONINPARAMS version{};
    version.bVersion = 1;
    version.bRevision = 1;
    version.bIDEDeviceMap = deviceMap;
    version.fCapabilities = 7; // ATA ID, ATAPI ID and S.M.A.R.T. commands
    std::memcpy(out.data(), &version, sizeof version);
}

void writeCommandReply(std::span<std::uint8_t> out, std::span<const std::uint8_t> sector)
{
    std::fill(out.begin(), out.end(), 0);
    const auto size = static_cast<std::uint32_t>(sector.size());
    std::memcpy(out.data(), &size, sizeof size);
    std::copy(sector.begin(), sector.end(), out.begin() + kReplyHeaderSize);
}

} // namespace orvane
