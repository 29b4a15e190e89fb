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
    std::optional<std::uint8_t> record; // --record N
    bool help = false;
};

// Throws std::invalid_argument with a message for the user.
[[nodiscard]] ReportOptions ParseReportOptions(const std::vector<std::string> &args);

inline constexpr const char *kReportUsage =
    "Usage: orvane-report [--json] [--drive N=FILE]... \n"
    "       orvane-report --record N > FILE\n"
    "\n"
    "Reads drives 0 to 3 as Orvane does and prints the drive list, the Disk\n"
    "Info and the SMART Info report of each drive found.\n"
    "\n"
    "  --drive N=FILE  drive N (0 to 3) is the recording FILE; with any --drive,\n"
    "                  the drives without one are absent\n"
    "  --json          print the reports as JSON\n"
    "  --record N      write a recording of drive N to standard output\n"
    "  --help          show this text\n"
    "\n"
    "Without --drive the real disks are read, which needs root (or the\n"
    "CAP_SYS_RAWIO capability for ATA disks, CAP_SYS_ADMIN for NVMe disks).\n";

} // namespace orvane
