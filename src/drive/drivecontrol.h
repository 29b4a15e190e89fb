// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace orvane {

// An open device as the platform hands it out; kInvalidHandle when the open failed.
using DeviceHandle = std::intptr_t;
inline constexpr DeviceHandle kInvalidHandle = -1;

// The three calls of the operating system's drive-control interface, and nothing more.
// Every back-end (the Windows disk driver, Linux SG_IO, recorded drives, test fakes)
// implements exactly these; all command building and decoding lives above them.
class DriveControl
{
public:
    virtual ~DriveControl() = default;

    // Opens a device path such as "\\.\PhysicalDrive0" for reading and writing, shared.
    // Yields a handle, or kInvalidHandle when the device cannot be opened for any reason.
    virtual DeviceHandle createFile(const std::string &path) = 0;

    // Sends one request (code, input bytes) to an open device. Yields true when the device
    // answered; only then does `out` hold the reply. On false, `out` may hold anything.
    virtual bool deviceIoControl(DeviceHandle handle, std::uint32_t code, std::span<const std::uint8_t> in,
                                 std::span<std::uint8_t> out) = 0;

    // Releases a handle that createFile gave out.
    virtual void closeHandle(DeviceHandle handle) = 0;
};

} // namespace orvane
