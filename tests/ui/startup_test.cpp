// SPDX-License-Identifier: MIT
// Start-up: the steps in their order, what the probe finds, and an error that stops it.
#include "ui/reportlistview.h"
#include "uitestsupport.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>
#include <fstream>
#include <gtest/gtest.h>

namespace orvane::test {
namespace {

std::string padded(const std::string &model)
{
    std::string text = model;
    text.resize(40, ' ');
    return text;
}

std::vector<std::string> captions(const ReportListView &list)
{
    std::vector<std::string> all;
    for (const auto &row : FormHarness::rows(list)) {
        all.push_back(row.at(0));
    }
    return all;
}

struct ProbeCase
{
    const char *name;
    std::vector<std::uint8_t> present;
    std::vector<std::string> rows;
    bool drive0Shown;
};

void PrintTo(const ProbeCase &c, std::ostream *out)
{
    *out << c.name;
}

class StartupProbe : public ::testing::TestWithParam<ProbeCase>
{
};

TEST_P(StartupProbe, ListsTheDrivesFoundAndShowsDriveZero)
{
    FormHarness h;
    for (const std::uint8_t number : GetParam().present) {
        h.addDrive(number, "Drive " + std::to_string(number), 30 + number);
    }
    TOrvane_Form &form = h.create();
    form.FormCreate();

    EXPECT_EQ(captions(*form.HDDs_ListView), GetParam().rows);
    EXPECT_EQ(form.DriveCount, GetParam().rows.size());
    EXPECT_EQ(h.diskInfo("Model number"), GetParam().drive0Shown ? padded("Drive 0") : "");
    EXPECT_EQ(form.SMARTInfo_ListView->rowCount() > 0, GetParam().drive0Shown);
    ASSERT_FALSE(h.logMessages().empty());
    EXPECT_EQ(h.logMessages().back(), "Orvane Started !");
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(form.Main_PageControl->currentWidget(), form.DiskInfo_TabSheet);
    // The probe only asks the four drive numbers, in order; then drive 0's reports.
    EXPECT_EQ(h.drives.opened.front(), "\\\\.\\PhysicalDrive0");
    EXPECT_EQ(h.drives.opened.back(), "\\\\.\\PhysicalDrive0");
    EXPECT_EQ(h.drives.replay.openHandles(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Drives, StartupProbe,
                         ::testing::Values(ProbeCase{"none", {}, {}, false},
                                           ProbeCase{"oneAndThree", {1, 3}, {"1", "3"}, false},
                                           ProbeCase{"zeroAndTwo", {0, 2}, {"0", "2"}, true},
                                           ProbeCase{"all", {0, 1, 2, 3}, {"0", "1", "2", "3"}, true}),
                         [](const auto &param) { return std::string(param.param.name); });

TEST(Startup, DriveRowsAreTickedAndCarryModelTemperatureAndVerdict)
{
    FormHarness h;
    h.addDrive(0, "WDC WD10EZEX", 38, 100, 0);
    h.addDrive(1, "Hot One", 61, 20, 45);
    h.addDrive(2, "No Sensor", std::nullopt);
    TOrvane_Form &form = h.create();
    form.FormCreate();

    const auto rows = FormHarness::rows(*form.HDDs_ListView);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"0", padded("WDC WD10EZEX"),
                                        "38\xB0"
                                        "C",
                                        "OK"}));
    EXPECT_EQ(rows[1],
              (std::vector<std::string>{"1", padded("Hot One"),
                                        "61\xB0"
                                        "C",
                                        "BAD"}));
    // Without attribute 194 the reading carries the no-temperature marks: "N/A" and "OK".
    EXPECT_EQ(rows[2], (std::vector<std::string>{"2", padded("No Sensor"), "N/A", "OK"}));
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(form.HDDs_ListView->item(row, 0)->checkState(), Qt::Checked) << row;
    }
}

TEST(Startup, ReadsReadmeFromTheProgramFolderLineByLine)
{
    FormHarness h;
    std::ofstream(h.places.programFolder + "/readme.txt", std::ios::binary) << "Orvane 1.0\r\nDegrees: 40\xB0"
                                                                               "C\r\n";
    // A readme.txt in the current folder is not the program's.
    std::ofstream("readme.txt") << "wrong one";
    TOrvane_Form &form = h.create();
    form.FormCreate();
    EXPECT_EQ(form.readmeMemo->toPlainText().toStdString(),
              "Orvane 1.0\nDegrees: 40\u00B0"
              "C\n");
    EXPECT_TRUE(h.dialogs.messages.empty());
}

// An installed program keeps readme.txt in its data folder; one beside the program wins.
TEST(Startup, ReadsReadmeBesideTheProgramFirstThenFromTheDataFolder)
{
    struct Case
    {
        const char *besideProgram; // nullptr: no file there
        const char *inDataFolder;
        const char *shown;
    };
    const Case cases[] = {
        {"beside\r\n", "installed\r\n", "beside\n"},
        {nullptr, "installed\r\n", "installed\n"},
        {nullptr, nullptr, ""},
    };
    for (const Case &c : cases) {
        FormHarness h;
        if (c.besideProgram) {
            std::ofstream(h.places.programFolder + "/readme.txt", std::ios::binary) << c.besideProgram;
        }
        if (c.inDataFolder) {
            std::ofstream(h.places.dataFolder + "/readme.txt", std::ios::binary) << c.inDataFolder;
        }
        TOrvane_Form &form = h.create();
        form.FormCreate();
        EXPECT_EQ(form.readmeMemo->toPlainText().toStdString(), c.shown) << c.shown;
        EXPECT_TRUE(h.dialogs.messages.empty());
    }
}

// Disks that cannot be opened (no privilege) must not leave a silent, empty window.
TEST(Startup, AnEmptyListSaysWhyTheDisksCouldNotBeRead)
{
    const std::string denied = "/dev/sda: Permission denied; run as root or grant CAP_SYS_RAWIO";
    const auto problem = [&](unsigned drive) { return drive == 0 || drive == 2 ? denied : std::string(); };
    {
        FormHarness h;
        h.places.driveOpenProblem = problem;
        TOrvane_Form &form = h.create();
        form.resize(693, 509);
        const QImage silent = form.HDDs_ListView->viewport()->grab().toImage();
        form.FormCreate();
        EXPECT_EQ(h.logMessages(),
                  (std::vector<std::string>{"Drive 0 cannot be opened: " + denied,
                                            "Drive 2 cannot be opened: " + denied, "Orvane Started !"}));
        EXPECT_EQ(form.HDDs_ListView->emptyHint().toStdString(), "No drive could be read: " + denied);
        // The hint is drawn where the rows would be.
        EXPECT_NE(form.HDDs_ListView->viewport()->grab().toImage(), silent);
    }
    {
        // A drive that could be read: the list speaks for itself.
        FormHarness h;
        h.addDrive(1, "Drive 1", 30);
        h.places.driveOpenProblem = problem;
        TOrvane_Form &form = h.create();
        form.FormCreate();
        EXPECT_EQ(form.HDDs_ListView->emptyHint().toStdString(), "");
        EXPECT_EQ(h.logMessages(), std::vector<std::string>{"Orvane Started !"});
    }
}

TEST(Startup, AnErrorIsShownAndSkipsTheRemainingSteps)
{
    FormHarness h;
    h.addDrive(0, "Drive 0", 35);
    // A readme.txt that exists but cannot be read.
    std::filesystem::create_directory(h.places.programFolder + "/readme.txt");
    TOrvane_Form &form = h.create();
    form.FormCreate();

    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0], "Cannot open file \"" + h.places.programFolder + "/readme.txt\". Is a directory");
    EXPECT_EQ(form.DriveCount, 0);
    EXPECT_EQ(form.HDDs_ListView->rowCount(), 0);
    EXPECT_TRUE(h.logMessages().empty());
    EXPECT_TRUE(h.drives.opened.empty());
}

// The first start of an ordinary user: the event source's key under HKEY_LOCAL_MACHINE
// cannot be created.
TEST(Startup, AnEventSourceKeyThatCannotBeCreatedIsLoggedAndStartUpGoesOn)
{
    FormHarness h;
    h.addDrive(0, "Drive 0", 35);
    h.eventSources.keys.clear();
    h.eventSources.canCreate = false;
    TOrvane_Form &form = h.create();
    form.FormCreate();

    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(h.logMessages(),
              (std::vector<std::string>{"Unable to register application. The system event log stays off.",
                                        "Orvane Started !"}));
    EXPECT_EQ(form.DriveCount, 1);
    EXPECT_EQ(form.HDDs_ListView->rowCount(), 1);
    EXPECT_FALSE(form.fisNTEventLog1.Enabled());
    EXPECT_TRUE(h.eventLog.events.empty());
}

TEST(Startup, WatchTimerFollowsTempWarnAndRefreshRuns)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    EXPECT_TRUE(form.CheckTemp_Timer->isActive()); // created switched on
    form.FormCreate();
    EXPECT_FALSE(form.CheckTemp_Timer->isActive());
    EXPECT_EQ(form.CheckTemp_Timer->interval(), 30000);
    EXPECT_TRUE(form.Monitor_Timer->isActive());
    EXPECT_EQ(form.Monitor_Timer->interval(), 300000);
    EXPECT_FALSE(form.Hibernate_Timer->isActive());
}

struct ScaleCase
{
    double ppi;
    QSize client;
    int driveListHeight;
    QRect critTempEdit;
    int fontPixels;
    int idColumn;
};

void PrintTo(const ScaleCase &c, std::ostream *out)
{
    *out << c.ppi << " ppi";
}

class StartupScale : public ::testing::TestWithParam<ScaleCase>
{
};

TEST_P(StartupScale, ScalesOnceByScreenPpiOver96)
{
    const ScaleCase &c = GetParam();
    FormHarness h;
    h.addDrive(0, "Drive 0", 35);
    TOrvane_Form &form = h.create(c.ppi);
    form.FormCreate();
    EXPECT_EQ(form.size(), c.client);
    EXPECT_EQ(form.HDDs_ListView->height(), c.driveListHeight);
    EXPECT_EQ(form.CritTemp_Edit->geometry(), c.critTempEdit);
    EXPECT_EQ(form.font().pixelSize(), c.fontPixels);
    EXPECT_EQ(form.SMARTInfo_ListView->horizontalHeader()->font().pixelSize(), c.fontPixels);
    EXPECT_EQ(form.HDDs_ListView->columnWidth(0), c.idColumn);
    EXPECT_DOUBLE_EQ(form.scaleFactor(), c.ppi / 96);
}

INSTANTIATE_TEST_SUITE_P(Screens, StartupScale,
                         ::testing::Values(ScaleCase{96, {693, 509}, 58, {216, 116, 33, 21}, 11, 50},
                                           ScaleCase{120, {866, 636}, 73, {270, 145, 41, 26}, 14, 63},
                                           ScaleCase{192, {1386, 1018}, 116, {432, 232, 66, 42}, 22, 100}),
                         [](const auto &param) { return std::to_string(static_cast<int>(param.param.ppi)) + "ppi"; });

} // namespace
} // namespace orvane::test
