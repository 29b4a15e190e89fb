// SPDX-License-Identifier: MIT
// The activity log on the Log page: stamps, Clear and Save.
#include "uitestsupport.h"

#include <QPlainTextEdit>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace orvane::test {
namespace {

constexpr std::time_t kMidnight = 1796601600; // 12/07/2026 00:00:00 UTC

TEST(Log, LinesAreStampMarkAndMessage)
{
    FormHarness h;
    h.clock.set(kMidnight);
    TOrvane_Form &form = h.create();
    form.FormCreate();
    form.LogEvent("");
    h.clock.set(kMidnight + 1);
    form.LogEvent("CHANGED max temperature: 55\xB0");
    EXPECT_EQ(form.Log_Memo->toPlainText().toStdString(),
              "12/07/2026 * Orvane Started !\n12/07/2026 * \n12/07/2026 00:00:01 * CHANGED max temperature: 55\u00B0");
}

TEST(Log, ClearThenOneMessageLeavesOneLine)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    form.FormCreate();
    form.LogEvent("first");
    form.Clear_ButtonClick();
    form.LogEvent("second");
    EXPECT_EQ(h.logMessages(), std::vector<std::string>{"second"});
}

TEST(Log, SaveWritesEveryLineWithCrLfInWindows1252ToANewFile)
{
    FormHarness h;
    h.clock.set(kMidnight);
    TOrvane_Form &form = h.create();
    form.FormCreate();
    form.Clear_ButtonClick();
    form.LogEvent("one");
    form.LogEvent("CHANGED max temperature: 55\xB0");
    const std::filesystem::path file = h.folder.path() / "saved log"; // no extension is added
    h.dialogs.logFiles = {std::nullopt, file};
    form.Save_ButtonClick(); // cancelled: nothing written
    EXPECT_FALSE(std::filesystem::exists(file));
    form.Save_ButtonClick();
    EXPECT_EQ(fileBytes(file), "12/07/2026 * one\r\n12/07/2026 * CHANGED max temperature: 55\xB0\r\n");
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST(Log, SavingAnEmptyLogEmptiesTheFile)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    const std::filesystem::path file = h.folder.path() / "log.txt";
    std::ofstream(file) << "old content";
    h.dialogs.logFiles = {file};
    form.Save_ButtonClick();
    EXPECT_EQ(fileBytes(file), "");
}

TEST(Log, AFileThatCannotBeCreatedIsShownAndTheLogStays)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    form.LogEvent("kept");
    const std::filesystem::path folder = h.folder.path() / "a folder";
    std::filesystem::create_directory(folder);
    h.dialogs.logFiles = {folder};
    form.Save_ButtonClick();
    EXPECT_EQ(h.dialogs.messages,
              std::vector<std::string>{"Cannot create file \"" + folder.string() + "\". Is a directory"});
    EXPECT_EQ(h.logMessages(), std::vector<std::string>{"kept"});
}

TEST(Log, LinesReachTheEventLogOnceItsSourceIsRegistered)
{
    FormHarness h;
    h.addDrive(0, "Drive 0", 35);
    std::ofstream("config.xml") << "<Orvane><Hibernation>-1</Hibernation></Orvane>";
    TOrvane_Form &form = h.create();
    EXPECT_FALSE(form.fisNTEventLog1.Enabled());
    form.FormCreate();
    form.LogEvent("later");
    EXPECT_TRUE(form.fisNTEventLog1.Enabled());
    EXPECT_EQ(h.eventLog.sourceName, "Orvane");
    // Loading the settings logs before the source exists: those lines reach the page only.
    EXPECT_EQ(h.logMessages(), (std::vector<std::string>{"ENABLED hibernation", "Orvane Started !", "later"}));
    EXPECT_EQ(h.eventLog.events,
              (std::vector<std::string>{"12/07/2026 14:05:09 * Orvane Started !", "12/07/2026 14:05:09 * later"}));
    // Clearing the page leaves the event log alone.
    form.Clear_ButtonClick();
    EXPECT_EQ(h.eventLog.events.size(), 2u);
}

TEST(Log, ARefusedEventSourceIsLoggedAndLaterLinesStayOnTheLogPage)
{
    FormHarness h;
    h.addDrive(0, "Drive 0", 35);
    h.eventLog.refuse = true;
    TOrvane_Form &form = h.create();
    form.FormCreate();
    EXPECT_TRUE(h.dialogs.messages.empty());
    EXPECT_EQ(form.DriveCount, 1);
    EXPECT_EQ(h.logMessages(),
              (std::vector<std::string>{"Unable to register event source. The system event log stays off.",
                                        "Orvane Started !"}));
    form.LogEvent("after");
    EXPECT_EQ(h.logMessages().back(), "after");
    EXPECT_TRUE(h.eventLog.events.empty());
}

} // namespace
} // namespace orvane::test
