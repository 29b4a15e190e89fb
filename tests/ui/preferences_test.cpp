// SPDX-License-Identifier: MIT
// The Preferences page: every control writes its setting and logs what the user changed.
#include "uitestsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace orvane::test {
namespace {

struct BoxCase
{
    const char *name;
    QCheckBox *TOrvane_Form::*box;
    bool TConfig::*flag;
    const char *ticked; // logged when ticked; empty: nothing logged
    const char *unticked; // logged when cleared
};

void PrintTo(const BoxCase &c, std::ostream *out)
{
    *out << c.name;
}

class PreferenceBoxes : public ::testing::TestWithParam<BoxCase>
{
};

TEST_P(PreferenceBoxes, TickingAndClearingWriteTheFlagAndLog)
{
    const BoxCase &c = GetParam();
    FormHarness h;
    TOrvane_Form &form = h.create();
    QCheckBox *box = form.*c.box;

    box->setChecked(true);
    EXPECT_TRUE(form.Config.*c.flag);
    box->setChecked(true); // the state it has: no handler
    box->setChecked(false);
    EXPECT_FALSE(form.Config.*c.flag);

    std::vector<std::string> expected;
    for (const char *message : {c.ticked, c.unticked}) {
        if (*message) {
            expected.push_back(message);
        }
    }
    EXPECT_EQ(h.logMessages(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, PreferenceBoxes,
    ::testing::Values(BoxCase{"AutoRun", &TOrvane_Form::AutoRun_CheckBox, &TConfig::AutoRun, "ENABLED autorun",
                              "DISABLED autorun"},
                      BoxCase{"LogEvents", &TOrvane_Form::LogEvents_CheckBox, &TConfig::LogEvents, "ENABLED Log Events",
                              "DISABLE Log Events"},
                      BoxCase{"SystemLog", &TOrvane_Form::SystemLogEvents_CheckBox, &TConfig::SystemLog, "", ""},
                      BoxCase{"DiskStatus", &TOrvane_Form::DiskStatus_CheckBox, &TConfig::DiskStatus,
                              "ENABLED disk status", "DISABLE disk status"},
                      BoxCase{"Hibernation", &TOrvane_Form::Hibernate_CheckBox, &TConfig::Hibernation,
                              "ENABLED hibernation", "DISABLE hibernation"},
                      BoxCase{"TempWarn", &TOrvane_Form::TempWarn_CheckBox, &TConfig::TempWarn,
                              "ENABLED temperature warning", "DISABLE temperature warning"},
                      BoxCase{"Popup", &TOrvane_Form::PopupNotify_CheckBox, &TConfig::PopupNotification,
                              "ENABLED popup notification", "DISABLE popup notification"},
                      BoxCase{"Email", &TOrvane_Form::EmailNotify_CheckBox, &TConfig::EmailNotification,
                              "ENABLED email notification", "DISABLE email notification"},
                      BoxCase{"Sound", &TOrvane_Form::SndFile_CheckBox, &TConfig::PlaySound, "ENABLED play sound",
                              "DISABLE play sound"}),
    [](const auto &param) { return std::string(param.param.name); });

TEST(Preferences, TempWarnStartsAndStopsTheWatch)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    form.FormCreate();
    ASSERT_FALSE(form.CheckTemp_Timer->isActive());
    form.TempWarn_CheckBox->setChecked(true);
    EXPECT_TRUE(form.CheckTemp_Timer->isActive());
    EXPECT_EQ(form.CheckTemp_Timer->remainingTime() > 29000, true);
    form.TempWarn_CheckBox->setChecked(false);
    EXPECT_FALSE(form.CheckTemp_Timer->isActive());
}

struct TemperatureCase
{
    const char *typed;
    int critTemp; // after leaving the field, from 50
    bool refused;
    const char *logged; // empty: nothing
};

TEST(Preferences, AlertTemperatureValidation)
{
    const TemperatureCase cases[] = {
        {"55", 55, false, "CHANGED max temperature: 55\xB0"},
        {"0", 0, false, "CHANGED max temperature: 0\xB0"},
        {"100", 100, false, "CHANGED max temperature: 100\xB0"},
        {" 60 ", 60, false, "CHANGED max temperature: 60\xB0"},
        {"\t70\n", 70, false, "CHANGED max temperature: 70\xB0"},
        {"+42", 42, false, "CHANGED max temperature: 42\xB0"},
        {"007", 7, false, "CHANGED max temperature: 7\xB0"},
        {"101", 50, true, ""},
        {"-1", 50, true, ""},
        {"abc", 50, true, ""},
        {"5 5", 50, true, ""},
        {"55.0", 50, true, ""},
        {"99999999999999999999", 50, true, ""},
        {"", 50, false, ""},
        {"   ", 50, false, ""},
    };
    for (const TemperatureCase &c : cases) {
        FormHarness h;
        TOrvane_Form &form = h.create();
        form.CritTemp = 50;
        form.CritTemp_Edit->setText(QString::fromLatin1(c.typed));
        form.CritTemp_EditExit();
        EXPECT_EQ(form.CritTemp, c.critTemp) << c.typed;
        EXPECT_EQ(form.Config.Temp, c.typed) << "copied unchanged on every change";
        EXPECT_EQ(form.CritTemp_Edit->text().toStdString(), c.typed) << "the field is never changed";
        const std::vector<std::string> box = c.refused
            ? std::vector<std::string>{"Error! Temp Warning must be in [0..100]"}
            : std::vector<std::string>{};
        EXPECT_EQ(h.dialogs.messages, box) << c.typed;
        const std::vector<std::string> log =
            *c.logged ? std::vector<std::string>{c.logged} : std::vector<std::string>{};
        EXPECT_EQ(h.logMessages(), log) << c.typed;
    }
}

TEST(Preferences, LeavingTheFieldRunsTheCheckAndARefusalKeepsTheFocus)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    form.show();
    QApplication::setActiveWindow(&form);
    form.CritTemp_Edit->setFocus(Qt::TabFocusReason);
    form.CritTemp_Edit->setText(QStringLiteral("150"));
    form.Email_Edit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(h.dialogs.messages, std::vector<std::string>{"Error! Temp Warning must be in [0..100]"});
    EXPECT_TRUE(form.CritTemp_Edit->hasFocus());
    // The mail field never really had the focus: it was not left.
    EXPECT_TRUE(h.logMessages().empty());

    form.CritTemp_Edit->setText(QStringLiteral("45"));
    form.Email_Edit->setFocus(Qt::TabFocusReason);
    form.SoundPath_Edit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(h.logMessages(),
              (std::vector<std::string>{"CHANGED max temperature: 45\xB0", "CHANGED email address to: "}));
    EXPECT_EQ(form.CritTemp, 45);
}

TEST(Preferences, MailAndSoundFieldsKeepTheirTextAndLogOnEveryExit)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    form.Email_Edit->setText(QStringLiteral("admin@example.org"));
    form.SoundPath_Edit->setText(QStringLiteral("/usr/share/sounds/alarm \u00e9.wav"));
    EXPECT_EQ(form.Config.EmailAddr, "admin@example.org");
    EXPECT_EQ(form.Config.SoundPath, "/usr/share/sounds/alarm \xE9.wav");
    form.Email_EditExit();
    form.Email_EditExit();
    form.SoundPath_EditExit();
    EXPECT_EQ(h.logMessages(),
              (std::vector<std::string>{"CHANGED email address to: admin@example.org",
                                        "CHANGED email address to: admin@example.org",
                                        "CHANGED sound file to: /usr/share/sounds/alarm \xE9.wav"}));
}

TEST(Preferences, ChooseButtonPutsThePickedFileIntoTheField)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    form.SoundPath_Edit->setText(QStringLiteral("old.wav"));
    h.dialogs.soundFiles = {std::nullopt, std::string("/home/u/Siren.WAV")};
    form.SndBrowse_ButtonClick(); // cancelled
    EXPECT_EQ(form.Config.SoundPath, "old.wav");
    form.SndBrowse_ButtonClick();
    EXPECT_EQ(form.Config.SoundPath, "/home/u/Siren.WAV");
    EXPECT_EQ(form.SoundPath_Edit->text().toStdString(), "/home/u/Siren.WAV");
    EXPECT_TRUE(h.logMessages().empty());
}

TEST(Preferences, TestButtonMailsDriveZerosTemperatureAndSaysWhatBecameOfIt)
{
    struct Case
    {
        const char *address;
        bool drive0;
        bool accept;
        const char *body; // empty: no mail
        const char *message; // empty: no box
    };
    const Case cases[] = {
        {"ops@example.org", true, true,
         "The current temperature is: 35\xB0"
         "C",
         "The Alert! Message was sent to: ops@example.org"},
        {"ops@example.org", false, true, "The current temperature is: N/A",
         "The Alert! Message was sent to: ops@example.org"},
        {"ops@example.org", true, false,
         "The current temperature is: 35\xB0"
         "C",
         "The Alert! Message could not be sent to: ops@example.org\nCouldn't connect to server"},
        {" \t ", true, true, "", ""},
    };
    for (const Case &c : cases) {
        FormHarness h;
        if (c.drive0) {
            h.addDrive(0, "Drive 0", 35);
        }
        h.addDrive(1, "Drive 1", 44); // a ticked drive other than 0 is not read
        h.mail.accept = c.accept;
        h.mail.answer = c.accept ? "250 OK" : "Couldn't connect to server";
        TOrvane_Form &form = h.create();
        form.Email_Edit->setText(QString::fromLatin1(c.address));
        form.MailTest_ButtonClick();
        ASSERT_EQ(h.mail.calls.size(), *c.body ? 1u : 0u) << c.address;
        if (*c.body) {
            EXPECT_EQ(h.mail.calls[0].recipient, c.address);
            EXPECT_EQ(h.mail.calls[0].subject, "Orvane Alert!");
            EXPECT_EQ(h.mail.calls[0].body, c.body);
        }
        EXPECT_EQ(h.dialogs.messages, *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        EXPECT_TRUE(h.logMessages().empty());
    }
}

TEST(Preferences, ControlsStartAsDesignedAndTabInTheirOrder)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    EXPECT_EQ(form.CritTemp_Edit->text().toStdString(), "50");
    EXPECT_EQ(form.SoundPath_Edit->text().toStdString(), "alert.wav");
    EXPECT_TRUE(form.Email_Edit->text().isEmpty());
    EXPECT_EQ(form.MailTest_Button->text().toStdString(), "Test     ");
    EXPECT_EQ(form.AutoRun_CheckBox->text().toStdString(), "Auto run Orvane at Windows Startup");
    EXPECT_EQ(form.AutoRun_CheckBox->geometry(), QRect(6, 16, 397, 17));
    EXPECT_EQ(form.SndBrowse_Button->geometry(), QRect(368, 171, 71, 20));

    QWidget *const order[] = {form.AutoRun_CheckBox,     form.LogEvents_CheckBox, form.SystemLogEvents_CheckBox,
                              form.DiskStatus_CheckBox,  form.Hibernate_CheckBox, form.PopupNotify_CheckBox,
                              form.EmailNotify_CheckBox, form.SndFile_CheckBox,   form.TempWarn_CheckBox,
                              form.CritTemp_Edit,        form.Email_Edit,         form.SoundPath_Edit,
                              form.MailTest_Button,      form.SndBrowse_Button};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        EXPECT_EQ(order[i - 1]->nextInFocusChain(), order[i]) << order[i]->objectName().toStdString();
    }
}

} // namespace
} // namespace orvane::test
