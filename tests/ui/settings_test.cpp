// SPDX-License-Identifier: MIT
// The settings at start-up and at close: config.xml in the current folder sets the
// Preferences controls, whose handlers run for the settings that are on.
#include "ui/reportlistview.h"
#include "uitestsupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace orvane::test {
namespace {

void writeConfig(const std::string &autoRun, const std::string &tempWarn, const std::string &temp = "55")
{
    std::ofstream("config.xml", std::ios::binary)
        << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<Orvane>\r\n"
        << "  <AutoRun>" << autoRun << "</AutoRun>\r\n  <LogEvents>0</LogEvents>\r\n"
        << "  <SystemLog>-1</SystemLog>\r\n  <DiskStatus>0</DiskStatus>\r\n  <Hibernation>-1</Hibernation>\r\n"
        << "  <TempWarn>" << tempWarn << "</TempWarn>\r\n  <Temp>" << temp << "</Temp>\r\n"
        << "  <PopupNotification>0</PopupNotification>\r\n  <EmailNotification>-1</EmailNotification>\r\n"
        << "  <EmailAddr>ops@example.org</EmailAddr>\r\n  <PlaySound>0</PlaySound>\r\n"
        << "  <SoundPath>siren.wav</SoundPath>\r\n</Orvane>";
}

std::string fileText(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Settings, LoadingRunsTheHandlersOfTheSettingsThatAreOnInPageOrder)
{
    FormHarness h;
    h.addDrive(0, "Drive 0", 35);
    writeConfig("-1", "True");
    TOrvane_Form &form = h.create();
    form.FormCreate();

    EXPECT_EQ(h.logMessages(),
              (std::vector<std::string>{"ENABLED autorun", "ENABLED hibernation", "ENABLED temperature warning",
                                        "ENABLED email notification", "Orvane Started !"}));
    EXPECT_TRUE(form.Config.AutoRun && form.Config.SystemLog && form.Config.TempWarn && form.Config.EmailNotification);
    EXPECT_TRUE(form.SystemLogEvents_CheckBox->isChecked());
    EXPECT_EQ(form.CritTemp, 55);
    EXPECT_EQ(form.CritTemp_Edit->text().toStdString(), "55");
    EXPECT_EQ(form.SoundPath_Edit->text().toStdString(), "siren.wav");
    EXPECT_TRUE(form.CheckTemp_Timer->isActive());
    // Every start with AutoRun on writes the entry again, for the program that runs now.
    EXPECT_TRUE(std::filesystem::exists(h.autostart.file()));
    EXPECT_EQ(form.Config.EmailAddr, "ops@example.org");
    EXPECT_EQ(form.DriveCount, 1);

    // For a reviewer: the two pages as loaded.
    form.Main_PageControl->setCurrentWidget(form.Preferences_TabSheet);
    form.grab().save(QStringLiteral(ORVANE_SCREENSHOTS "/preferences-page.png"));
    form.Main_PageControl->setCurrentWidget(form.Log_TabSheet);
    form.grab().save(QStringLiteral(ORVANE_SCREENSHOTS "/log-page.png"));
}

TEST(Settings, ABadFlagIsShownAndTheDrivesAreNotProbed)
{
    FormHarness h;
    h.addDrive(0, "Drive 0", 35);
    writeConfig("maybe", "-1");
    TOrvane_Form &form = h.create();
    form.FormCreate();

    EXPECT_EQ(h.dialogs.messages, std::vector<std::string>{"'maybe' is not a valid boolean value"});
    EXPECT_EQ(form.HDDs_ListView->rowCount(), 0);
    EXPECT_EQ(form.DriveCount, 0);
    EXPECT_TRUE(h.logMessages().empty());
    EXPECT_FALSE(form.AutoRun_CheckBox->isChecked());
    // The watch keeps the state the window was created with: the step that sets it did not end.
    EXPECT_TRUE(h.drives.opened.empty());
}

TEST(Settings, FirstStartWithoutConfigShowsTheDesignedValues)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    form.FormCreate();
    EXPECT_EQ(form.CritTemp, 50);
    EXPECT_EQ(form.Config.Temp, "50");
    EXPECT_EQ(form.Config.SoundPath, "alert.wav");
    EXPECT_FALSE(form.CheckTemp_Timer->isActive());
    EXPECT_EQ(h.logMessages(), std::vector<std::string>{"Orvane Started !"});
}

TEST(Settings, ClosingSavesTheRecordAsItStands)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    form.FormCreate();
    form.show();
    form.Email_Edit->setText(QStringLiteral("a&b@example.org"));
    form.CritTemp_Edit->setText(QStringLiteral("abc")); // refused, but kept in Temp
    form.DiskStatus_CheckBox->setChecked(true);
    EXPECT_TRUE(form.close());
    const std::string saved = fileText("config.xml");
    EXPECT_NE(saved.find("  <DiskStatus>-1</DiskStatus>\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("  <Temp>abc</Temp>\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("  <EmailAddr>a&b@example.org</EmailAddr>\r\n"), std::string::npos) << saved;
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST(Settings, AFailedSaveIsShownAndKeepsTheWindowOpen)
{
    FormHarness h;
    std::filesystem::create_directory("config.xml");
    TOrvane_Form &form = h.create();
    form.FormCreate();
    form.show();
    ASSERT_EQ(h.dialogs.messages.size(), 1u); // the folder cannot be read at start-up
    EXPECT_EQ(h.dialogs.messages[0].rfind("Cannot open file \"", 0), 0u) << h.dialogs.messages[0];
    h.dialogs.messages.clear();
    form.DiskStatus_CheckBox->setChecked(true); // something to save
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].rfind("Cannot create file \"", 0), 0u) << h.dialogs.messages[0];
    EXPECT_NE(h.dialogs.messages[0].find("config.xml\". Is a directory"), std::string::npos) << h.dialogs.messages[0];

    // Once the file can be written, the next try closes it.
    std::filesystem::remove("config.xml");
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(std::filesystem::is_regular_file("config.xml"));
}

// When the system ends the program nobody may be there to answer a box: a save that fails
// is logged and the window closes all the same. The user's own close keeps the box.
TEST(Settings, TheSystemsEndClosesTheWindowEvenWhenTheSaveFails)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    form.FormCreate();
    form.show();
    std::filesystem::create_directory("config.xml");
    const std::string folder = (std::filesystem::current_path() / "config.xml").string();
    form.EndForSystem();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(h.dialogs.messages.empty());
    const std::vector<std::string> log = h.logMessages();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1], "The settings could not be saved: Cannot create file \"" + folder + "\". Is a directory");

    // Once it can be written, the same end saves the settings.
    std::filesystem::remove("config.xml");
    form.show();
    form.EndForSystem();
    EXPECT_FALSE(form.isVisible());
    EXPECT_NE(fileText("config.xml").find("<Temp>50</Temp>"), std::string::npos);
}

// A settings file that could not be read is the user's: a run that changes nothing leaves
// it as it was; a run that changes a setting saves it and keeps the old file beside it.
TEST(Settings, ASettingsFileThatCouldNotBeReadIsNeverLost)
{
    const struct
    {
        const char *name;
        std::function<void(TOrvane_Form &)> change;
    } runs[] = {
        {"unchanged", [](TOrvane_Form &) {}},
        {"changed", [](TOrvane_Form &form) { form.Email_Edit->setText(QStringLiteral("new@example.org")); }},
    };
    for (const auto &run : runs) {
        FormHarness h;
        writeConfig("yes", "-1", "61");
        const std::string old = fileText("config.xml");
        TOrvane_Form &form = h.create();
        form.FormCreate();
        ASSERT_EQ(h.dialogs.messages, std::vector<std::string>{"'yes' is not a valid boolean value"});
        run.change(form);
        EXPECT_TRUE(form.close()) << run.name;
        const std::string kept = (std::filesystem::current_path() / "config.xml.bak").string();
        if (std::string(run.name) == "unchanged") {
            EXPECT_EQ(fileText("config.xml"), old);
            EXPECT_FALSE(std::filesystem::exists("config.xml.bak"));
            EXPECT_TRUE(h.logMessages().empty());
        } else {
            EXPECT_EQ(fileText("config.xml.bak"), old);
            EXPECT_NE(fileText("config.xml").find("<EmailAddr>new@example.org</EmailAddr>"), std::string::npos);
            EXPECT_EQ(h.logMessages(),
                      std::vector<std::string>{"KEPT the settings file that could not be read as: " + kept});
        }
        EXPECT_EQ(h.dialogs.messages.size(), 1u) << run.name;
    }
}

} // namespace
} // namespace orvane::test
