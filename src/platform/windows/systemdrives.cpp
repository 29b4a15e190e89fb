// SPDX-License-Identifier: MIT
#include "platform/systemdrives.h"

#include "drive/driverequest.h"
#include "platform/windows/windowsdrivecontrol.h"

#include <windows.h>

namespace orvane {

std::unique_ptr<DriveControl> CreateSystemDriveControl()
{
    return std::make_unique<WindowsDriveControl>();
}

std::string SystemDriveOpenProblem(unsigned number)
{
    WindowsDriveControl drives;
    const DeviceHandle handle = drives.createFile(physicalDrivePath(std::to_string(number)));
    if (handle != kInvalidHandle) {
        drives.closeHandle(handle);
        return {};
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        return {};
    }
    char text[256] = {};
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, sizeof text,
                     nullptr);
    std::string message(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
        message.pop_back();
    }
    return error == ERROR_ACCESS_DENIED ? message + "; run as administrator" : message;
}

std::string SystemDriveCommandHint()
{
    return " (reading S.M.A.R.T. data needs administrator rights)";
}

} // namespace orvane
