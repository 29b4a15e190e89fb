// SPDX-License-Identifier: MIT
#include "platform/replay/replaydrivecontrol.h"

#include <algorithm>

namespace orvane {

void ReplayDriveControl::addDrive(std::uint8_t number, DriveRecording recording)
{
    m_drives[number] = recording;
}

DeviceHandle ReplayDriveControl::createFile(const std::string &path)
{
    const std::optional<unsigned> number = physicalDriveNumber(path);
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

const DriveRecording *ReplayDriveControl::openDrive(DeviceHandle handle) const
{
    const auto open = m_open.find(handle);
    return open == m_open.end() ? nullptr : &m_drives.at(open->second);
}

std::optional<std::uint8_t> ReplayDriveControl::deviceMap(DeviceHandle handle)
{
    const DriveRecording *drive = openDrive(handle);
    return drive ? drive->deviceMap : std::nullopt;
}

bool ReplayDriveControl::ataPassThrough(DeviceHandle handle, const AtaCommand &command,
                                        std::span<std::uint8_t, kSectorSize> sector)
{
    const DriveRecording *drive = openDrive(handle);
    if (!drive) {
        return false;
    }
    const std::optional<SectorBytes> *recorded = nullptr;
    switch (command.kind) {
    case AtaCommandKind::SmartEnableOperations:
        return drive->enableOk;
    case AtaCommandKind::IdentifyDevice:
    case AtaCommandKind::IdentifyPacketDevice:
        recorded = &drive->identify;
        break;
    case AtaCommandKind::SmartReadAttributeValues:
        recorded = &drive->attributes;
        break;
    case AtaCommandKind::SmartReadAttributeThresholds:
        recorded = &drive->thresholds;
        break;
    }
    if (!recorded || !recorded->has_value()) {
        return false;
    }
    std::copy((*recorded)->begin(), (*recorded)->end(), sector.begin());
    return true;
}

bool ReplayDriveControl::nvmeAdminCommand(DeviceHandle handle, NvmeCommand command, std::span<std::uint8_t> data)
{
    const DriveRecording *drive = openDrive(handle);
    if (!drive) {
        return false;
    }
    const std::span<const std::uint8_t> recorded = command == NvmeCommand::IdentifyController
        ? (drive->nvmeIdentify ? std::span<const std::uint8_t>(*drive->nvmeIdentify) : std::span<const std::uint8_t>())
        : (drive->nvmeHealth ? std::span<const std::uint8_t>(*drive->nvmeHealth) : std::span<const std::uint8_t>());
    if (recorded.empty() || recorded.size() != data.size()) {
        return false;
    }
    std::copy(recorded.begin(), recorded.end(), data.begin());
    return true;
}

} // namespace orvane
