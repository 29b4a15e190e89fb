// SPDX-License-Identifier: MIT
// The temperature watch against hand-made drives and fakes that write everything they are
// asked into one journal, so that the order of every step can be checked.
#include "drive/drivetransport.h"
#include "monitor/activitylog.h"
#include "monitor/temperaturewatch.h"
#include "settings/config.h"
#include "support/fakedrivecontrol.h"
#include "support/fakes.h"
#include "watchfakes.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::Journal;
using test::JournalPage;
using test::JournalTimer;
using test::JournalWindow;

class JournalMail : public MailLibrary
{
public:
    explicit JournalMail(Journal &journal)
        : m_journal(journal)
    {
    }
    bool SendMail(std::string &result, const char *, const char *recipient, const char *, const char *, const char *,
                  const char *body, const char *, std::int32_t) override
    {
        m_journal.push_back(std::string("mail [") + recipient + "] " + body);
        result = reply;
        return accept;
    }
    bool accept = true;
    std::string reply = "250 OK";

private:
    Journal &m_journal;
};

class JournalSound : public MultimediaApi
{
public:
    explicit JournalSound(Journal &journal)
        : m_journal(journal)
    {
    }
    bool fileExists(const std::string &path) override { return path == "alert.wav"; }
    bool mciExecute(const std::string &command) override
    {
        m_journal.push_back("sound " + command);
        return play;
    }
    std::string lastErrorText() const override { return "Not available"; }
    bool play = true;

private:
    Journal &m_journal;
};

class JournalPower : public test::FakePower
{
public:
    JournalPower(Journal &journal, const JournalWindow &window)
        : m_journal(journal)
        , m_window(window)
    {
    }
    bool exitWindowsEx(std::uint32_t, std::uint32_t) override
    {
        m_journal.push_back("shutdown");
        return true;
    }
    bool setSuspendState(bool hibernate, bool, bool) override
    {
        m_journal.push_back(std::string(hibernate ? "hibernate" : "suspend") + (m_window.open ? " (asking)" : ""));
        return accept;
    }
    std::string lastErrorText() const override { return "Not enough swap space\nfor hibernation"; }
    bool accept = true;

private:
    Journal &m_journal;
    const JournalWindow &m_window;
};

class Watch : public ::testing::Test
{
public:
    Watch()
    {
        eventLog.setAppName("Orvane");
        eventLog.RegisterSource();
        window.watch = &watch;
        window.countdown = &countdown;
        checkTemp.on = true; // watching
        config.PopupNotification = true;
        critTemp = 40;
    }

    // Drive `number` with its row, at `celsius` or without a temperature attribute.
    void addDrive(int number, std::optional<int> celsius, bool ticked = true)
    {
        auto &drive = drives.drive(number);
        drive.attributes = celsius
            ? test::attributeSector({{0, {194, 100, 100, static_cast<std::uint8_t>(*celsius), 0}}})
            : test::attributeSector({{0, {9, 100, 100, 1, 0}}});
        window.rows.push_back({std::to_string(number), ticked});
    }

    // The journal of one cycle.
    Journal cycle()
    {
        journal.clear();
        watch.CheckTemperatures();
        return journal;
    }

    // The events the system event log got, without their stamps.
    std::vector<std::string> events() const
    {
        std::vector<std::string> texts;
        const std::string report = "report 7 4 0 1073872897 ";
        for (const std::string &call : eventApi.calls) {
            if (call.rfind(report, 0) == 0) {
                const std::string text = call.substr(report.size());
                texts.push_back(text.find(" * ") == std::string::npos ? text
                                                                      : "stamped " + text.substr(text.find(" * ") + 3));
            }
        }
        return texts;
    }

    Journal journal;
    test::FakeDriveControl drives;
    DriveTransport transport{drives};
    test::FakeClock clock;
    JournalPage page{journal};
    test::FakeEventLog eventApi;
    test::FakeRegistry registry;
    TfisNTEventLog eventLog{eventApi, registry};
    ActivityLog log{clock, page, eventLog};
    JournalWindow window{journal};
    JournalMail mail{journal};
    JournalSound sound{journal};
    JournalPower power{journal, window};
    JournalTimer checkTemp{journal, "watch"};
    JournalTimer countdown{journal, "countdown"};
    TConfig config;
    std::uint8_t critTemp = 0;
    std::uint8_t hibernateCountdown = 0;
    TemperatureWatch watch{{transport, log, eventLog, mail, sound, power},
                           window,
                           checkTemp,
                           countdown,
                           {config, critTemp, hibernateCountdown}};
};

const Journal kQuiet{"watch stop", "watch start"};

struct ThresholdCase
{
    const char *name;
    int critTemp;
    std::optional<int> celsius;
    bool alerts;
};

class WatchThreshold : public Watch, public ::testing::WithParamInterface<ThresholdCase>
{
};

// Strictly hotter, compared signed: a drive without a temperature (-9999) never alerts.
TEST_P(WatchThreshold, OnlyAHotterDriveAlerts)
{
    critTemp = static_cast<std::uint8_t>(GetParam().critTemp);
    addDrive(0, GetParam().celsius);
    const Journal seen = cycle();
    if (!GetParam().alerts) {
        EXPECT_EQ(seen, kQuiet);
    } else {
        ASSERT_GE(seen.size(), 2U);
        EXPECT_EQ(seen[1],
                  "log Temperature is over maximum: " + std::to_string(*GetParam().celsius) + " > "
                      + std::to_string(GetParam().critTemp));
    }
    EXPECT_EQ(drives.openedPaths.size(), 1U);
    EXPECT_TRUE(checkTemp.on);
    EXPECT_FALSE(countdown.on);
}

INSTANTIATE_TEST_SUITE_P(Watch, WatchThreshold,
                         ::testing::Values(ThresholdCase{"Equal", 45, 45, false},
                                           ThresholdCase{"OneAbove", 45, 46, true},
                                           ThresholdCase{"Below", 45, 30, false},
                                           ThresholdCase{"ZeroAlertsAtOne", 0, 1, true},
                                           ThresholdCase{"NoTemperatureAtZero", 0, std::nullopt, false}),
                         [](const auto &param) { return std::string(param.param.name); });

TEST_F(Watch, ReadsOnlyTickedRowsInListOrderByTheirCaptions)
{
    addDrive(3, 30);
    addDrive(1, 30, false);
    addDrive(0, 30);
    EXPECT_EQ(cycle(), kQuiet);
    EXPECT_EQ(drives.openedPaths, (std::vector<std::string>{"\\\\.\\PhysicalDrive3", "\\\\.\\PhysicalDrive0"}));
}

struct ChannelCase
{
    const char *name;
    bool mail, sound, popup, hibernation;
    std::string address;
    Journal expected; // after "watch stop"
};

void PrintTo(const ChannelCase &c, std::ostream *out)
{
    *out << c.name;
}

class WatchChannels : public Watch, public ::testing::WithParamInterface<ChannelCase>
{
};

// Mail and sound come before the question, each after its own flag; a countdown needs the
// question.
TEST_P(WatchChannels, EachChannelFollowsItsFlag)
{
    const ChannelCase &c = GetParam();
    config.EmailNotification = c.mail;
    config.EmailAddr = c.address;
    config.PlaySound = c.sound;
    config.SoundPath = "alert.wav";
    config.PopupNotification = c.popup;
    config.Hibernation = c.hibernation;
    addDrive(0, 52);
    Journal expected{"watch stop"};
    expected.insert(expected.end(), c.expected.begin(), c.expected.end());
    EXPECT_EQ(cycle(), expected);
}

const Journal kAskedAndCancelled{"log Temperature is over maximum: 52 > 40",
                                 "foreground main",
                                 "foreground application",
                                 "ask",
                                 "watch start",
                                 "caption Orvane",
                                 "log USER cancelled the HIBERNATE action !",
                                 "log CHANGED the alert temperature to: 52\xB0",
                                 "field 52"};

INSTANTIATE_TEST_SUITE_P(
    Watch, WatchChannels,
    ::testing::Values(ChannelCase{"AllOff", false, false, false, false, "me@example.org", {"watch start"}},
                      ChannelCase{"MailAsStoredWithoutUnit",
                                  true,
                                  false,
                                  false,
                                  false,
                                  " me@example.org ",
                                  {"log SEND email to :  me@example.org ",
                                   "mail [ me@example.org ] The current temperature is: 52", "watch start"}},
                      ChannelCase{"BlankAddressSendsNothing",
                                  true,
                                  true,
                                  false,
                                  false,
                                  " \t\r\n ",
                                  {"sound Play alert.wav", "watch start"}},
                      ChannelCase{"HibernationWithoutPopupNeverCountsDown",
                                  true,
                                  true,
                                  false,
                                  true,
                                  "me@example.org",
                                  {"log SEND email to : me@example.org",
                                   "mail [me@example.org] The current temperature is: 52", "sound Play alert.wav",
                                   "watch start"}},
                      ChannelCase{"QuestionWithoutCountdown", false, false, true, false, "", kAskedAndCancelled},
                      ChannelCase{"QuestionWithCountdown",
                                  false,
                                  false,
                                  true,
                                  true,
                                  "",
                                  {"log Temperature is over maximum: 52 > 40", "countdown start", "foreground main",
                                   "foreground application", "ask", "watch start", "countdown stop", "caption Orvane",
                                   "log USER cancelled the HIBERNATE action !",
                                   "log CHANGED the alert temperature to: 52\xB0", "field 52"}}),
    [](const auto &param) { return std::string(param.param.name); });

TEST_F(Watch, CancelMakesTheTemperatureTheNewAlertTemperature)
{
    config.Hibernation = true;
    addDrive(0, 45);
    window.replies = {{HibernateAnswer::Cancel, 15}};
    const Journal seen = cycle();
    EXPECT_EQ(critTemp, 45);
    EXPECT_EQ(config.Temp, "45");
    EXPECT_EQ(hibernateCountdown, 45); // stopped where it was
    EXPECT_EQ(seen.back(), "field 45");
    EXPECT_TRUE(checkTemp.on); // on since the answer: the end of the cycle does not restart it
    EXPECT_FALSE(countdown.on);

    EXPECT_EQ(cycle(), kQuiet); // 45 again: quiet
    drives.drive(0).attributes = test::attributeSector({{0, {194, 100, 100, 46, 0}}});
    EXPECT_EQ(cycle().at(1), "log Temperature is over maximum: 46 > 45");
}

TEST_F(Watch, TheSecondQuestionOfACycleRestartsTheCountdown)
{
    config.Hibernation = true;
    addDrive(0, 50);
    addDrive(1, 55);
    window.replies = {{HibernateAnswer::Cancel, 20}, {HibernateAnswer::Cancel, 1}};
    const Journal seen = cycle();
    // Cancelled at 40 seconds left; drive 1 is hotter than the new 50 and asks again from 60.
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "ask"), 2);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "caption Hibernate on 59s"), 2);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "caption Hibernate on 40s"), 1);
    EXPECT_EQ(hibernateCountdown, 59);
    EXPECT_EQ(critTemp, 55);
}

TEST_F(Watch, SixtyUnansweredSecondsHibernateOnceWithTheQuestionOpen)
{
    config.Hibernation = true;
    addDrive(0, 52);
    window.replies = {{HibernateAnswer::Cancel, 90}};
    Journal seen = cycle();
    Journal countdownPart;
    for (int left = 59; left >= 0; --left) {
        countdownPart.push_back("caption Hibernate on " + std::to_string(left) + "s");
    }
    countdownPart.insert(countdownPart.end(),
                         {"log Orvane was Hibernated", "countdown stop", "hibernate (asking)", "watch start"});
    const auto asked = std::find(seen.begin(), seen.end(), "ask");
    ASSERT_NE(asked, seen.end());
    EXPECT_EQ(Journal(asked + 1, asked + 1 + static_cast<long>(countdownPart.size())), countdownPart);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "hibernate (asking)"), 1);
    // The page got the stamped line, the event log the bare text.
    EXPECT_EQ(events(),
              (std::vector<std::string>{"stamped Temperature is over maximum: 52 > 40", "Orvane was Hibernated",
                                        "stamped USER cancelled the HIBERNATE action !",
                                        "stamped CHANGED the alert temperature to: 52\xB0"}));
}

TEST_F(Watch, OkHibernatesStopsTheCountdownAndGoesOnWithTheNextRow)
{
    config.Hibernation = true;
    addDrive(0, 52);
    addDrive(1, 30);
    window.replies = {{HibernateAnswer::Ok, 5}};
    const Journal seen = cycle();
    const auto asked = std::find(seen.begin(), seen.end(), "ask");
    ASSERT_NE(asked, seen.end());
    EXPECT_EQ(Journal(asked + 6, seen.end()),
              (Journal{"log HIBERNATE the system", "countdown stop", "caption Orvane", "hibernate", "watch start"}));
    EXPECT_EQ(drives.openedPaths.size(), 2U);
    EXPECT_EQ(critTemp, 40);
    EXPECT_TRUE(std::find(seen.begin(), seen.end(), "shutdown") == seen.end());
}

struct FailureCase
{
    const char *name;
    HibernateAnswer answer;
    int seconds;
    std::function<void(Watch &)> fail;
    Journal tail; // the journal's end
};

void PrintTo(const FailureCase &c, std::ostream *out)
{
    *out << c.name;
}

class WatchFailures : public Watch, public ::testing::WithParamInterface<FailureCase>
{
};

// A channel that fails adds one line with its reason right after its normal lines.
TEST_P(WatchFailures, AFailedChannelIsLoggedWithItsReason)
{
    const FailureCase &c = GetParam();
    config.EmailNotification = true;
    config.EmailAddr = "me@example.org";
    config.PlaySound = true;
    config.SoundPath = "alert.wav";
    config.Hibernation = true;
    addDrive(0, 52);
    window.replies = {{c.answer, c.seconds}};
    c.fail(*this);
    const Journal seen = cycle();
    ASSERT_GE(seen.size(), c.tail.size());
    EXPECT_EQ(Journal(seen.end() - static_cast<long>(c.tail.size()), seen.end()), c.tail);
}

INSTANTIATE_TEST_SUITE_P(
    Watch, WatchFailures,
    ::testing::Values(
        FailureCase{"Mail",
                    HibernateAnswer::Ok,
                    0,
                    [](Watch &w) {
                        w.mail.accept = false;
                        w.mail.reply = "Login denied (535 5.7.8\r\nnot accepted)\r\n";
                        w.config.PlaySound = false;
                        w.config.PopupNotification = false;
                    },
                    {"mail [me@example.org] The current temperature is: 52",
                     "log FAILED to send the email: Login denied (535 5.7.8  not accepted)", "watch start"}},
        FailureCase{"MailWithoutReason",
                    HibernateAnswer::Ok,
                    0,
                    [](Watch &w) {
                        w.mail.accept = false;
                        w.mail.reply.clear();
                        w.config.PlaySound = false;
                        w.config.PopupNotification = false;
                    },
                    {"log FAILED to send the email: no reason given", "watch start"}},
        FailureCase{"Sound",
                    HibernateAnswer::Ok,
                    0,
                    [](Watch &w) {
                        w.sound.play = false;
                        w.config.PopupNotification = false;
                    },
                    {"sound Play alert.wav", "log FAILED to play the sound: Not available", "watch start"}},
        FailureCase{"SoundFileMissing",
                    HibernateAnswer::Ok,
                    0,
                    [](Watch &w) {
                        w.config.SoundPath = "gone.wav";
                        w.config.PopupNotification = false;
                    },
                    {"log FAILED to play the sound: there is no sound file gone.wav", "watch start"}},
        FailureCase{
            "HibernationAfterOk",
            HibernateAnswer::Ok,
            0,
            [](Watch &w) { w.power.accept = false; },
            {"hibernate", "log FAILED to hibernate the system: Not enough swap space for hibernation", "watch start"}},
        FailureCase{"HibernationAtZero",
                    HibernateAnswer::Cancel,
                    60,
                    [](Watch &w) { w.power.accept = false; },
                    {"log Orvane was Hibernated", "countdown stop", "hibernate (asking)",
                     "log FAILED to hibernate the system: Not enough swap space for hibernation", "watch start",
                     "caption Orvane", "log USER cancelled the HIBERNATE action !",
                     "log CHANGED the alert temperature to: 52\xB0", "field 52"}}),
    [](const auto &param) { return std::string(param.param.name); });

TEST_F(Watch, ATickDuringTheQuestionDoesNotStartASecondCycle)
{
    addDrive(0, 52);
    window.replies = {{HibernateAnswer::Cancel, 0, true}};
    const Journal seen = cycle();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "ask"), 1);
    EXPECT_EQ(drives.openedPaths.size(), 1U);
}

TEST_F(Watch, AWindowClosedUnderTheQuestionEndsTheCycleUntouched)
{
    config.Hibernation = true;
    addDrive(0, 52);
    addDrive(1, 60);
    window.replies = {{HibernateAnswer::WindowClosed, 3}};
    window.whileOpen = [this] { watch.Stop(); };
    const Journal seen = cycle();
    EXPECT_EQ(seen.back(), "countdown stop");
    EXPECT_EQ(critTemp, 40);
    EXPECT_EQ(drives.openedPaths.size(), 1U);
    EXPECT_FALSE(checkTemp.on);
    EXPECT_FALSE(countdown.on);
}

TEST_F(Watch, AWatchDestroyedUnderItsQuestionIsNotTouchedAgain)
{
    addDrive(0, 52);
    auto owned =
        std::make_unique<TemperatureWatch>(WatchServices{transport, log, eventLog, mail, sound, power}, window,
                                           checkTemp, countdown, WatchState{config, critTemp, hibernateCountdown});
    window.whileOpen = [&owned] { owned.reset(); };
    window.replies = {{HibernateAnswer::WindowClosed}};
    owned->CheckTemperatures(); // the sanitizer build sees any use of the freed watch
    EXPECT_EQ(owned, nullptr);
    EXPECT_FALSE(checkTemp.on);
}

} // namespace
} // namespace orvane
