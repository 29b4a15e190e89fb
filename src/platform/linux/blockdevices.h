// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace orvane {

struct BlockDevice
{
    std::string name; // "sda", "nvme0n1"
    bool atapi = false; // a packet device (CD or DVD drive on the old IDE driver)
    bool nvme = false; // a namespace of an NVMe controller
};

// The whole disks under `sysBlock` (normally /sys/block) in name order: sd, hd, vd and
// nvme disks. Partitions, loop, ram, zram, dm and md devices are not disks of their own.
// "\\.\PhysicalDriveN" is the N-th of them.
[[nodiscard]] std::vector<BlockDevice> wholeDisks(const std::string &sysBlock);

} // namespace orvane
