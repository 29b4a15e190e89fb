// SPDX-License-Identifier: MIT
#include "drive/detailsrefresh.h"
#include "drive/reporttable.h"
#include "support/fakedrivecontrol.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::attributeSector;
using test::FakeDriveControl;
using test::thresholdSector;
using Rows = std::vector<std::vector<std::string>>;

class Details : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int drive : {0, 1}) {
            control.drive(drive).attributes =
                attributeSector({{0, {194, 100, 100, static_cast<std::uint8_t>(30 + drive), 0}}});
            control.drive(drive).thresholds = thresholdSector({{0, 5}});
        }
    }

    void show(std::string_view drive) { ShowDriveDetails(transport, drive, disk, smart); }

    FakeDriveControl control;
    DriveTransport transport{control};
    ReportTable disk, smart;
};

TEST_F(Details, ADriveThatCannotBeOpenedLeavesThePreviousReports)
{
    show("1");
    const Rows diskBefore = disk.rows, smartBefore = smart.rows;
    ASSERT_FALSE(smartBefore.empty());
    show("3");
    EXPECT_EQ(disk.rows, diskBefore);
    EXPECT_EQ(smart.rows, smartBefore);
    EXPECT_EQ(control.requests.size(), 5u); // drive 3 was sent nothing
}

TEST_F(Details, ShowingTheSameDriveTwiceGivesItsRowsOnce)
{
    show("0");
    const Rows first = smart.rows;
    show("0");
    EXPECT_EQ(smart.rows, first);
    EXPECT_EQ(disk.rows.size(), 13u);
    EXPECT_EQ(control.opens, control.closes);
}

TEST_F(Details, SendsTheRequestsInOrderAndClosesTheDrive)
{
    show("1");
    ASSERT_EQ(control.requests.size(), 5u);
    EXPECT_EQ(control.requests[0].code, kSmartGetVersion);
    EXPECT_EQ(control.requests[1].features(), kSmartEnableOperations);
    EXPECT_EQ(control.requests[2].command(), kAtaIdentifyDevice);
    EXPECT_EQ(control.requests[3].features(), kSmartReadAttributeValues);
    EXPECT_EQ(control.requests[4].features(), kSmartReadAttributeThresholds);
    EXPECT_TRUE(control.open.empty());
}

TEST_F(Details, AFailedIdentifyLeavesDiskInfoEmpty)
{
    control.drive(0).identify.reset();
    show("0");
    EXPECT_TRUE(disk.rows.empty());
    EXPECT_EQ(smart.rows.size(), 1u);
}

TEST_F(Details, AFailedAttributeReadLeavesSmartInfoEmptyAndAsksNoThresholds)
{
    control.drive(1).attributes.reset();
    show("0");
    show("1");
    EXPECT_TRUE(smart.rows.empty()); // drive 0's rows went with the clear
    EXPECT_EQ(disk.rows.size(), 13u);
    EXPECT_EQ(control.requests.size(), 9u);
    EXPECT_EQ(control.requests.back().features(), kSmartReadAttributeValues);
}

TEST_F(Details, AFailedThresholdReadListsEveryThresholdAsZero)
{
    show("0"); // leaves threshold 5 in the shared buffer
    control.drive(1).thresholds.reset();
    control.drive(1).attributes = attributeSector({{0, {194, 100, 100, 31, 0}}, {1, {5, 0, 0, 0, 0}}});
    show("1");
    EXPECT_EQ(smart.rows,
              (Rows{{"C2", "Temperature             ", "0", "100", "100", "31", "OK"},
                    {"05", "Reallocated Sector Count", "0", "0", "0", "0", "BAD"}}));
}

TEST_F(Details, SmartSupportedFollowsEnableOnEveryDrive)
{
    for (int drive = 0; drive < 4; ++drive) {
        control.drive(drive).enableOk = drive != 2;
        show(std::to_string(drive));
        ASSERT_FALSE(disk.rows.empty());
        EXPECT_EQ(disk.rows[0][1], drive != 2 ? "S.M.A.R.T supported" : "") << drive;
    }
}

TEST_F(Details, ATextThatIsNotADriveNumberClosesTheDriveAndShowsNothing)
{
    control.drives["\\\\.\\PhysicalDrive0x"] = {};
    show("0");
    show("0x");
    EXPECT_TRUE(disk.rows.empty());
    EXPECT_TRUE(smart.rows.empty());
    EXPECT_EQ(control.opens, control.closes);
}

} // namespace
} // namespace orvane
