// SPDX-License-Identifier: MIT
// Which drives count as unread and which exit status bits the reports call for, with the
// operating system's answers stood in by a function.
#include "tools/drivereport.h"
#include "tools/reportoptions.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

DriveReport drive(std::uint8_t number, bool answered, const char *listVerdict = "OK",
                  const char *attributeVerdict = "OK")
{
    DriveReport r;
    r.drive.number = number;
    r.row = {std::to_string(number), "MODEL", "N/A", listVerdict};
    if (answered) {
        r.diskInfo = {{"Model number", "MODEL"}};
        r.smartInfo = {{"05", "Reallocated Sector Count", "10", "100", "100", "0", attributeVerdict}};
    }
    return r;
}

TEST(UnreadableDrives, NameTheDrivesThatExistButGaveNothing)
{
    // Drive 1 exists but does not open, drive 2 opened and answered nothing, drive 3 is absent.
    const std::vector<DriveReport> reports = {drive(0, true), drive(2, false)};
    const auto openProblem = [](unsigned number) {
        return number == 1 ? std::string("/dev/sdb: Permission denied") : std::string();
    };
    EXPECT_EQ(UnreadableDrives(reports, openProblem, " (hint)"),
              (std::vector<std::string>{"drive 1 cannot be opened: /dev/sdb: Permission denied",
                                        "drive 2 answered no ATA or NVMe command (hint)"}));
    // A drive that answered is never asked why it did not open.
    const auto noCall = [](unsigned number) {
        EXPECT_NE(number, 0u);
        return std::string();
    };
    EXPECT_TRUE(UnreadableDrives({drive(0, true)}, noCall, "").empty());
}

TEST(DriveExitStatus, SetsOneBitForEachCondition)
{
    struct Case
    {
        std::vector<DriveReport> reports;
        std::size_t unreadable;
        int status;
    };
    const Case cases[] = {
        {{drive(0, true), drive(1, true)}, 0, 0},
        {{drive(0, true), drive(1, true, "OK", "BAD")}, 0, kExitBadAttribute},
        {{drive(0, true, "BAD", "OK")}, 0, kExitBadAttribute},
        {{drive(0, true)}, 1, kExitDriveUnreadable},
        {{drive(0, true, "OK", "BAD")}, 2, kExitDriveUnreadable | kExitBadAttribute},
        {{}, 0, 0},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(DriveExitStatus(cases[i].reports, cases[i].unreadable), cases[i].status) << "case " << i;
    }
}

} // namespace
} // namespace orvane
