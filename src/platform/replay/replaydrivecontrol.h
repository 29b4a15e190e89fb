#pragma once

#include "drive/drivecontrol.h"
#include "platform/replay/driverecording.h"

#include <map>
#include <optional>

namespace orvane {

// Recorded drives standing in for "\\.\PhysicalDrive0" to "\\.\PhysicalDrive3": a drive
// answers the requests its recording holds and fails the others, like a real one.
class ReplayDriveControl : public DriveControl
{
public:
    void addDrive(std::uint8_t number, DriveRecording recording);

    DeviceHandle createFile(const std::string &path) override;
    bool deviceIoControl(DeviceHandle handle, std::uint32_t code, std::span<const std::uint8_t> in,
                         std::span<std::uint8_t> out) override;
    void closeHandle(DeviceHandle handle) override;

    // Handles given out and not yet closed.
    [[nodiscard]] std::size_t openHandles() const { return m_open.size(); }

private:
    bool answerVersion(const DriveRecording &drive, std::span<std::uint8_t> out) const;
    bool answerNvme(const DriveRecording &drive, std::span<const std::uint8_t> in, std::span<std::uint8_t> out) const;
    bool answerCommand(const DriveRecording &drive, std::uint32_t code, std::span<const std::uint8_t> in,
                       std::span<std::uint8_t> out) const;

    std::map<std::uint8_t, DriveRecording> m_drives;
    std::map<DeviceHandle, std::uint8_t> m_open;
    DeviceHandle m_nextHandle = 100;
};

// The drive number a device path names ("\\.\PhysicalDrive" and decimal digits, no sign,
// no leading zeros), or nothing.
[[nodiscard]] std::optional<unsigned> PhysicalDriveNumber(const std::string &path);

} // namespace orvane
