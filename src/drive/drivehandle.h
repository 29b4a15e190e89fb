// SPDX-License-Identifier: MIT
#pragma once

#include "drive/drivecontrol.h"

#include <utility>

namespace orvane {

// Owns one open device for the length of one drive operation and closes it when it goes
// out of scope, so no handle can outlive the operation that opened it.
class DriveHandle
{
public:
    DriveHandle(DriveControl &control, DeviceHandle handle)
        : m_control(&control)
        , m_handle(handle)
    {
    }
    DriveHandle(DriveHandle &&other) noexcept
        : m_control(other.m_control)
        , m_handle(std::exchange(other.m_handle, kInvalidHandle))
    {
    }
    DriveHandle &operator=(DriveHandle &&) = delete;
    DriveHandle(const DriveHandle &) = delete;
    DriveHandle &operator=(const DriveHandle &) = delete;
    ~DriveHandle() { close(); }

    [[nodiscard]] bool valid() const { return m_handle != kInvalidHandle; }
    [[nodiscard]] DeviceHandle get() const { return m_handle; }

    void close()
    {
        if (valid()) {
            m_control->closeHandle(std::exchange(m_handle, kInvalidHandle));
        }
    }

private:
    DriveControl *m_control;
    DeviceHandle m_handle;
};

} // namespace orvane
