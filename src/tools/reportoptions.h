// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace orvane {

struct ReportOptions
{
    std::map<std::uint8_t, std::string> drives; // --drive N=FILE
    bool json = false;
    bool prometheus = false;
    std::optional<std::uint8_t> record; // --record N
    bool help = false;
};

// Throws std::invalid_argument with a message for the user.
[[nodiscard]] ReportOptions ParseReportOptions(const std::vector<std::string> &args);

inline constexpr const char *kReportUsage =
    "Usage: orvane-report [--json | --prometheus] [--drive N=FILE]...\n"
    "       orvane-report --record N > FILE\n"
    "\n"
    "Reads drives 0 to 3 as Orvane does and prints the drive list, the Disk\n"
    "Info and the SMART Info report of each drive found.\n"
    "\n"
    "  --drive N=FILE  drive N (0 to 3) is the recording FILE; with any --drive,\n"
    "                  the drives without one are absent\n"
    "  --json          print the reports as JSON\n"
    "  --prometheus    print the drives and their attributes in Prometheus's\n"
    "                  text format, for node_exporter's textfile collector\n"
    "  --record N      write a recording of drive N to standard output\n"
    "  --help          show this text\n"
    "\n"
    "Without --drive the real disks are read: directly by root, else through\n"
    "orvane-drive-reader, which needs its capabilities (cap_dac_read_search,\n"
    "cap_sys_rawio for ATA disks, cap_sys_admin for NVMe disks).\n"
    "\n"
    "Exit status: 0 when every drive found was read and all is OK; otherwise\n"
    "the sum of 1 (wrong usage, a broken recording, output not written),\n"
    "2 (a drive exists but could not be read) and 4 (a drive has a BAD\n"
    "attribute).\n";

// The exit status is a sum of these bits, so that a script can test each condition.
inline constexpr int kExitError = 1; // usage, a recording that cannot be read, output not written
inline constexpr int kExitDriveUnreadable = 2; // a drive exists but could not be opened or answered nothing
inline constexpr int kExitBadAttribute = 4; // a drive shows BAD

} // namespace orvane
