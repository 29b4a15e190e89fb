// SPDX-License-Identifier: MIT
// The status refresh through the window: what the balloons say, which cells change, and
// the tray menu's and the timer's handlers that run it.
#include "monitor/statusrefresh.h"
#include "ui/qttrayshell.h"
#include "ui/reportlistview.h"
#include "ui/trayicon.h"
#include "uitestsupport.h"

#include <QCheckBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace orvane::test {
namespace {

struct Drive
{
    std::uint8_t number;
    std::string model;
    std::optional<int> atStart; // the temperature the drive list shows at start-up
    std::optional<int> atRefresh; // the temperature the refresh reads
};

struct RefreshCase
{
    const char *name;
    std::vector<Drive> drives;
    bool diskStatus;
    std::vector<std::string> balloons; // each balloon's text, in order
    std::vector<std::string> temps; // the "Temp" column afterwards
};

class StatusRefresh : public ::testing::TestWithParam<RefreshCase>
{
};

std::vector<std::string> column(const ReportListView &list, int index)
{
    std::vector<std::string> cells;
    for (const auto &row : FormHarness::rows(list)) {
        cells.push_back(row.at(index));
    }
    return cells;
}

TEST_P(StatusRefresh, ReportsEveryDriveInABalloonAndRewritesOnlyTheTemperatures)
{
    const RefreshCase &c = GetParam();
    FormHarness h;
    for (const Drive &d : c.drives) {
        h.addDrive(d.number, d.model, d.atStart, 100, 0);
    }
    TOrvane_Form &form = h.create();
    form.FormCreate();
    form.DiskStatus_CheckBox->setChecked(c.diskStatus);
    for (const Drive &d : c.drives) {
        // Hot now, and a worn attribute that the refresh must not bring into the list.
        h.addDrive(d.number, d.model, d.atRefresh, 1, 50);
    }
    const auto statusBefore = column(*form.HDDs_ListView, 3);
    const auto logBefore = h.logMessages();
    h.tray.calls.clear();

    form.Checkdrivenow1Click();

    std::vector<std::string> texts;
    for (const TrayIconData &balloon : h.tray.balloons()) {
        texts.push_back(balloon.szInfo);
        EXPECT_EQ(balloon.szInfoTitle, "Orvane");
        EXPECT_EQ(balloon.dwInfoFlags, BalloonKind::Information);
        EXPECT_EQ(balloon.uTimeout, 10000u);
    }
    EXPECT_EQ(texts, c.balloons);
    EXPECT_EQ(column(*form.HDDs_ListView, 2), c.temps);
    EXPECT_EQ(column(*form.HDDs_ListView, 3), statusBefore);
    EXPECT_EQ(h.logMessages(), logBefore); // "Check drive now!" logs nothing
    EXPECT_EQ(h.drives.replay.openHandles(), 0u);
}

// One drive's balloon lines: the drive gives its model blank-padded to 40 characters.
std::string lines(const std::string &model, const std::string &temperature)
{
    std::string padded = model;
    padded.resize(40, ' ');
    return padded + "\rTemp: " + temperature + "\r";
}

const std::string kDeg = "\xB0"
                         "C";

INSTANTIATE_TEST_SUITE_P(
    Drives, StatusRefresh,
    ::testing::Values(
        RefreshCase{"noDrives", {}, true, {}, {}},
        RefreshCase{"twoDrives",
                    {{0, "DISK A", 30, 41}, {1, "DISK B", 31, 52}},
                    true,
                    {lines("DISK A", "41" + kDeg), lines("DISK A", "41" + kDeg) + lines("DISK B", "52" + kDeg)},
                    {"41" + kDeg, "52" + kDeg}},
        RefreshCase{"drivesZeroAndTwo",
                    {{0, "ZERO", 30, 33}, {2, "TWO", 30, 44}},
                    true,
                    {lines("ZERO", "33" + kDeg), lines("ZERO", "33" + kDeg) + lines("TWO", "44" + kDeg)},
                    {"33" + kDeg, "44" + kDeg}},
        RefreshCase{"noTemperature", {{1, "NO SENSOR", 30, std::nullopt}}, true, {lines("NO SENSOR", "N/A")}, {"N/A"}},
        RefreshCase{"diskStatusOff", {{0, "DISK A", 30, 41}}, false, {}, {"30" + kDeg}}),
    [](const auto &param) { return std::string(param.param.name); });

TEST(StatusRefreshReport, ADriveWithoutAModelStartsWithTheCarriageReturn)
{
    TAttrReading none;
    none.Raw = kNoTemperature;
    EXPECT_EQ(StatusReportLines("", none), "\rTemp: N/A\r");
    TAttrReading cold;
    cold.Raw = -5;
    EXPECT_EQ(StatusReportLines("M", cold),
              "M\rTemp: -5\xB0"
              "C\r");
}

TEST(StatusRefreshTimer, EveryTickLogsThenRefreshes)
{
    for (const bool diskStatus : {false, true}) {
        FormHarness h;
        h.addDrive(0, "DISK A", 30);
        TOrvane_Form &form = h.create();
        form.FormCreate();
        form.DiskStatus_CheckBox->setChecked(diskStatus);
        EXPECT_TRUE(form.Monitor_Timer->isActive());
        EXPECT_EQ(form.Monitor_Timer->interval(), 300000);
        h.tray.calls.clear();

        form.Monitor_TimerTimer();
        EXPECT_EQ(h.logMessages().back(), "Show disk information");
        EXPECT_EQ(h.tray.balloons().size(), diskStatus ? 1u : 0u);
    }
}

TEST(StatusRefreshTimer, ALongReportIsCutByTheBalloon)
{
    FormHarness h;
    const std::string model(40, 'M');
    for (std::uint8_t drive = 0; drive < 4; ++drive) {
        h.addDrive(drive, model, 40 + drive);
    }
    TOrvane_Form &form = h.create();
    form.FormCreate();
    form.DiskStatus_CheckBox->setChecked(true);
    form.Checkdrivenow1Click();
    const auto balloons = h.tray.balloons();
    ASSERT_EQ(balloons.size(), 4u);
    // Four drives make 4 x (40 + 1 + 10 + 1) = 208 characters: all fit. Longer models
    // are cut at 255 by the balloon itself (see the tray icon's tests).
    EXPECT_EQ(balloons.back().szInfo.size(), 208u);
    EXPECT_EQ(std::count(balloons.back().szInfo.begin(), balloons.back().szInfo.end(), '\r'), 8);
    EXPECT_EQ(balloons.back().szInfo.find('\n'), std::string::npos);
}

struct DesktopTextCase
{
    std::string program;
    QString desktop;
};

TEST(StatusRefreshDesktopText, LoneCarriageReturnsBecomeLineBreaksOnlyAtTheDesktop)
{
    const DesktopTextCase cases[] = {
        {"DISK A\rTemp: 41\xB0"
         "C\r",
         QStringLiteral("DISK A\nTemp: 41\u00B0C\n")},
        {"\rTemp: N/A\r", QStringLiteral("\nTemp: N/A\n")},
        {"a\r\nb", QStringLiteral("a\nb")},
        {"<b>&amp;</b>", QStringLiteral("<b>&amp;</b>")},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(QtTrayShell::desktopText(c.program), c.desktop) << c.program;
    }
}

} // namespace
} // namespace orvane::test
