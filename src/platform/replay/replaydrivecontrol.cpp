#include "platform/replay/replaydrivecontrol.h"

#include "drive/nvmerequest.h"
#include "drive/smartstructs.h"

#include <algorithm>
#include <cstring>

namespace orvane {

std::optional<unsigned> PhysicalDriveNumber(const std::string &path)
{
    static constexpr std::string_view kPrefix = "\\\\.\\PhysicalDrive";
    if (path.size() <= kPrefix.size() || path.compare(0, kPrefix.size(), kPrefix) != 0) {
        return std::nullopt;
    }
    const std::string_view digits = std::string_view(path).substr(kPrefix.size());
    if (digits.size() > 3 || (digits.size() > 1 && digits.front() == '0')
        || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return static_cast<unsigned>(std::stoul(std::string(digits)));
}

void ReplayDriveControl::addDrive(std::uint8_t number, DriveRecording recording)
{
    m_drives[number] = std::move(recording);
}

DeviceHandle ReplayDriveControl::createFile(const std::string &path)
{
    const std::optional<unsigned> number = PhysicalDriveNumber(path);
    if (!number || *number > 255 || !m_drives.contains(static_cast<std::uint8_t>(*number))) {
        return kInvalidHandle;
    }
    const DeviceHandle handle = m_nextHandle++;
    m_open[handle] = static_cast<std::uint8_t>(*number);
    return handle;
}

void ReplayDriveControl::closeHandle(DeviceHandle handle)
{
    m_open.erase(handle);
}

bool ReplayDriveControl::deviceIoControl(DeviceHandle handle, std::uint32_t code, std::span<const std::uint8_t> in,
                                         std::span<std::uint8_t> out)
{
    const auto open = m_open.find(handle);
    if (open == m_open.end()) {
        return false;
    }
    const DriveRecording &drive = m_drives.at(open->second);
    if (code == SMART_GET_VERSION) {
        return answerVersion(drive, out);
    }
    if (code == kIoctlStorageQueryProperty) {
        return answerNvme(drive, in, out);
    }
    return answerCommand(drive, code, in, out);
}

bool ReplayDriveControl::answerVersion(const DriveRecording &drive, std::span<std::uint8_t> out) const
{
    if (!drive.deviceMap || out.size() < sizeof(GETVERSIONINPARAMS)) {
        return false;
    }
    GETVERSIONINPARAMS version{};
    version.bVersion = 1;
    version.bRevision = 1;
    version.bIDEDeviceMap = *drive.deviceMap;
    version.fCapabilities = 7; // ATA ID, ATAPI ID and SMART commands
    std::memcpy(out.data(), &version, sizeof version);
    return true;
}

bool ReplayDriveControl::answerNvme(const DriveRecording &drive, std::span<const std::uint8_t> in,
                                    std::span<std::uint8_t> out) const
{
    const std::optional<NvmeCommand> command = parseNvmeQuery(kIoctlStorageQueryProperty, in);
    if (command == NvmeCommand::IdentifyController && drive.nvmeIdentify) {
        return writeNvmeReply(*command, *drive.nvmeIdentify, out);
    }
    if (command == NvmeCommand::HealthLog && drive.nvmeHealth) {
        return writeNvmeReply(*command, *drive.nvmeHealth, out);
    }
    return false;
}

bool ReplayDriveControl::answerCommand(const DriveRecording &drive, std::uint32_t code,
                                       std::span<const std::uint8_t> in, std::span<std::uint8_t> out) const
{
    if (in.size() < kCommandBytesSent || out.size() < kReplyHeaderSize) {
        return false;
    }
    SENDCMDINPARAMS command{};
    std::memcpy(&command, in.data(), kCommandBytesSent);
    const IDEREGS &regs = command.irDriveRegs;
    const bool smart =
        regs.bCommandReg == ATA_SMART_CMD && regs.bCylLowReg == SMART_CYL_LOW && regs.bCylHighReg == SMART_CYL_HI;

    std::fill(out.begin(), out.end(), 0);
    if (code == SMART_SEND_DRIVE_COMMAND) {
        return smart && regs.bFeaturesReg == SMART_ENABLE_OPERATIONS && drive.enableOk;
    }
    if (code != SMART_RCV_DRIVE_DATA || out.size() < kDataReplySize) {
        return false;
    }
    const std::optional<SectorBytes> *sector = nullptr;
    if (regs.bCommandReg == ATA_IDENTIFY_DEVICE || regs.bCommandReg == ATA_IDENTIFY_PACKET_DEVICE) {
        sector = &drive.identify;
    } else if (smart && regs.bFeaturesReg == SMART_READ_ATTRIBUTE_VALUES) {
        sector = &drive.attributes;
    } else if (smart && regs.bFeaturesReg == SMART_READ_ATTRIBUTE_THRESHOLDS) {
        sector = &drive.thresholds;
    }
    if (!sector || !sector->has_value()) {
        return false;
    }
    const std::uint32_t size = kSectorSize;
    std::memcpy(out.data(), &size, sizeof size);
    std::copy((*sector)->begin(), (*sector)->end(), out.begin() + kReplyHeaderSize);
    return true;
}

} // namespace orvane
