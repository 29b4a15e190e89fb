// SPDX-License-Identifier: MIT
#include "platform/windows/windowsdrivecontrol.h"

#include "drive/driverequest.h"

#include <windows.h>

namespace orvane {

namespace {

HANDLE nativeHandle(DeviceHandle handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

DeviceHandle WindowsDriveControl::createFile(const std::string &path)
{
    const HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, 0, nullptr);
    return h == INVALID_HANDLE_VALUE ? kInvalidHandle : reinterpret_cast<DeviceHandle>(h);
}

bool WindowsDriveControl::deviceIoControl(DeviceHandle handle, std::uint32_t code, std::span<const std::uint8_t> in,
                                          std::span<std::uint8_t> out)
{
    // Only the requests this program is meant to send reach the disk driver; anything else
    // fails here, as a driver that refused it would.
    if (!decodeDriveRequest(code, in, out.size())) {
        return false;
    }
    DWORD returned = 0;
    return ::DeviceIoControl(nativeHandle(handle), code, const_cast<std::uint8_t *>(in.data()),
                             static_cast<DWORD>(in.size()), out.data(), static_cast<DWORD>(out.size()), &returned,
                             nullptr)
        != FALSE;
}

void WindowsDriveControl::closeHandle(DeviceHandle handle)
{
    ::CloseHandle(nativeHandle(handle));
}

} // namespace orvane
