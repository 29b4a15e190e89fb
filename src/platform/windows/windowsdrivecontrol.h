// SPDX-License-Identifier: MIT
#pragma once

#include "drive/drivecontrol.h"

namespace orvane {

// The Windows disk driver: CreateFileA, DeviceIoControl and CloseHandle as they are.
class WindowsDriveControl : public DriveControl
{
public:
    DeviceHandle createFile(const std::string &path) override;
    bool deviceIoControl(DeviceHandle handle, std::uint32_t code, std::span<const std::uint8_t> in,
                         std::span<std::uint8_t> out) override;
    void closeHandle(DeviceHandle handle) override;
};

} // namespace orvane
