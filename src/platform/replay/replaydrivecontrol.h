// SPDX-License-Identifier: MIT
#pragma once

#include "drive/passthroughdrivecontrol.h"
#include "platform/replay/driverecording.h"

#include <map>
#include <optional>

namespace orvane {

// Recorded drives standing in for "\\.\PhysicalDrive0" to "\\.\PhysicalDrive3": a drive
// answers the requests its recording holds and fails the others, like a real one.
class ReplayDriveControl : public PassThroughDriveControl
{
public:
    void addDrive(std::uint8_t number, DriveRecording recording);

    DeviceHandle createFile(const std::string &path) override;
    void closeHandle(DeviceHandle handle) override;

    // Handles given out and not yet closed.
    [[nodiscard]] std::size_t openHandles() const { return m_open.size(); }

protected:
    std::optional<std::uint8_t> deviceMap(DeviceHandle handle) override;
    bool ataPassThrough(DeviceHandle handle, const AtaCommand &command,
                        std::span<std::uint8_t, kSectorSize> sector) override;
    bool nvmeAdminCommand(DeviceHandle handle, NvmeCommand command, std::span<std::uint8_t> data) override;

private:
    [[nodiscard]] const DriveRecording *openDrive(DeviceHandle handle) const;

    std::map<std::uint8_t, DriveRecording> m_drives;
    std::map<DeviceHandle, std::uint8_t> m_open;
    DeviceHandle m_nextHandle = 100;
};

} // namespace orvane
