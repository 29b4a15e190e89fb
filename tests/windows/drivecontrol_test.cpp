// SPDX-License-Identifier: MIT
// The disk driver's calls as Wine provides them. Wine has no physical drives to answer
// S.M.A.R.T. requests (the drive tests use fakes for that); what it does check is that the
// calls are wired: a device that is not there, a handle that is not a disk.
#include "drive/drivetransport.h"
#include "platform/systemdrives.h"
#include "platform/windows/windowsdrivecontrol.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(WindowsDriveControl, AnAbsentDriveIsNoErrorAndOpensNothing)
{
    WindowsDriveControl control;
    EXPECT_EQ(control.createFile("\\\\.\\PhysicalDrive9"), kInvalidHandle);
    EXPECT_EQ(SystemDriveOpenProblem(9), "");
    DriveTransport transport(control);
    EXPECT_FALSE(transport.DriveExists(9));
}

TEST(WindowsDriveControl, AFileIsNoDiskAndRefusesEveryRequest)
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "orvane-not-a-disk.bin";
    std::ofstream(file, std::ios::binary) << std::string(1024, 'x');
    WindowsDriveControl control;
    const DeviceHandle handle = control.createFile(file.string());
    ASSERT_NE(handle, kInvalidHandle);
    std::array<std::uint8_t, 24> version{};
    version.fill(0xEE);
    EXPECT_FALSE(control.deviceIoControl(handle, 0x00074080, {}, version));
    std::array<std::uint8_t, 32> command{};
    std::array<std::uint8_t, 528> reply{};
    EXPECT_FALSE(control.deviceIoControl(handle, 0x0007C088, command, reply));
    control.closeHandle(handle);
    std::filesystem::remove(file);
}

} // namespace
} // namespace orvane
