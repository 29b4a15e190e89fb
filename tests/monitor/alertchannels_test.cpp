// SPDX-License-Identifier: MIT
#include "monitor/fisnteventlog.h"
#include "monitor/messages.h"
#include "support/fakes.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>

namespace orvane {
namespace {

using test::FakeEventLog;
using test::FakeMailLibrary;
using test::FakeMessageBox;
using test::FakeMultimedia;
using test::FakePower;
using test::FakeRegistry;

const std::string kKey = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Orvane";

TEST(EventLogWriter, WritesNothingBeforeRegistrationOrAfterRefusal)
{
    FakeEventLog api;
    FakeRegistry registry;
    api.refuse = true;
    {
        TfisNTEventLog writer(api, registry);
        writer.setAppName("Orvane");
        writer.WriteEvent("early");
        EXPECT_FALSE(writer.Enabled());
        try {
            writer.RegisterSource();
            FAIL() << "registration refused but no error";
        } catch (const ENTLogError &e) {
            EXPECT_STREQ(e.what(), "Unable to register event source.");
        }
        EXPECT_FALSE(writer.Enabled());
        writer.WriteEvent("late");
    }
    // No report, and no deregistration of a handle never held.
    EXPECT_EQ(api.calls, std::vector<std::string>{"register Orvane"});
}

TEST(EventLogWriter, RegistersWritesAndReleasesTheSource)
{
    FakeEventLog api;
    FakeRegistry registry;
    {
        TfisNTEventLog writer(api, registry);
        writer.setAppName("Orvane");
        writer.RegisterSource();
        EXPECT_TRUE(writer.Enabled());
        writer.WriteEvent("line");
    }
    EXPECT_EQ(api.calls, (std::vector<std::string>{"register Orvane", "report 7 4 0 1073872897 line", "deregister 7"}));
}

struct RegistryCase
{
    const char *name;
    bool keyPresent;
    bool canCreate;
    std::vector<std::string> calls;
    bool throws;
};

void PrintTo(const RegistryCase &c, std::ostream *out)
{
    *out << c.name;
}

class RegisterApplicationTest : public ::testing::TestWithParam<RegistryCase>
{
};

TEST_P(RegisterApplicationTest, KeyIsWrittenOnlyWhenMissing)
{
    const RegistryCase &c = GetParam();
    FakeEventLog api;
    FakeRegistry registry;
    registry.canCreate = c.canCreate;
    if (c.keyPresent) {
        registry.keys.insert(kKey);
    }
    TfisNTEventLog writer(api, registry);
    writer.setAppName("Orvane");
    std::string error;
    try {
        writer.RegisterSource();
    } catch (const ENTLogError &e) {
        error = e.what();
    }
    EXPECT_EQ(registry.calls, c.calls);
    EXPECT_EQ(error, c.throws ? "Unable to register application." : "");
    EXPECT_EQ(writer.Enabled(), !c.throws);
    // A failed registry step stops before the event source is asked for.
    EXPECT_EQ(api.calls.empty(), c.throws);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, RegisterApplicationTest,
    ::testing::Values(
        RegistryCase{"KeyPresent", true, true, {"open " + kKey}, false},
        RegistryCase{"KeyMissing", false, true, {"open " + kKey, "create " + kKey, "write " + kKey + " 7"}, false},
        RegistryCase{"KeyCannotBeCreated", false, false, {"open " + kKey, "create " + kKey}, true}),
    [](const auto &param) { return std::string(param.param.name); });

// Start-up's registration: a refusal at either step leaves the writer off and explains
// itself for the Log page instead of stopping the start-up.
TEST(EventLogWriter, StartupRegistrationExplainsARefusalInsteadOfThrowing)
{
    const struct
    {
        const char *name;
        bool canCreate, sourceRefused;
        std::optional<std::string> explanation;
    } cases[] = {
        {"registered", true, false, std::nullopt},
        {"HKLM refuses the key", false, false, "Unable to register application. The system event log stays off."},
        {"source refused", true, true, "Unable to register event source. The system event log stays off."},
    };
    for (const auto &c : cases) {
        FakeEventLog api;
        api.refuse = c.sourceRefused;
        FakeRegistry registry;
        registry.canCreate = c.canCreate;
        TfisNTEventLog writer(api, registry);
        writer.setAppName("Orvane");
        EXPECT_EQ(RegisterSourceOrExplain(writer), c.explanation) << c.name;
        EXPECT_EQ(writer.Enabled(), !c.explanation) << c.name;
        writer.WriteEvent("after");
        EXPECT_EQ(std::count(api.calls.begin(), api.calls.end(), "report 7 4 0 1073872897 after"),
                  c.explanation ? 0 : 1)
            << c.name;
    }
}

struct PrivilegeCase
{
    const char *name;
    bool privileges, tokenOk, lookupOk;
    std::vector<std::string> calls;
};

void PrintTo(const PrivilegeCase &c, std::ostream *out)
{
    *out << c.name;
}

class ShutdownTest : public ::testing::TestWithParam<PrivilegeCase>
{
};

TEST_P(ShutdownTest, PrivilegeStepsStopAtTheFirstFailureThenShutDown)
{
    const PrivilegeCase &c = GetParam();
    FakePower power;
    power.privileges = c.privileges;
    power.tokenOk = c.tokenOk;
    power.lookupOk = c.lookupOk;
    power.exitOk = false;
    EXPECT_FALSE(ShutDownWindows(power, kEwxShutdown | kEwxForce));
    std::vector<std::string> expected = c.calls;
    expected.push_back("exit 5 0");
    EXPECT_EQ(power.calls, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Privileges, ShutdownTest,
    ::testing::Values(
        PrivilegeCase{"NoPrivilegesOnThisSystem", false, true, true, {}},
        PrivilegeCase{"TokenRefused", true, false, true, {"token 40"}},
        PrivilegeCase{"PrivilegeUnknown", true, true, false, {"token 40", "lookup SeShutdownPrivilege"}},
        PrivilegeCase{"Granted", true, true, true, {"token 40", "lookup SeShutdownPrivilege", "adjust 42 19 2"}}),
    [](const auto &param) { return std::string(param.param.name); });

TEST(Power, ShutdownReportsTheSystemsAnswerAndHibernationSkipsPrivileges)
{
    FakePower power;
    EXPECT_TRUE(ShutDownWindows(power, kEwxShutdown | kEwxForce));
    power.calls.clear();
    HibernateComputer(power);
    EXPECT_EQ(power.calls, std::vector<std::string>{"suspend 110"});
}

TEST(Sound, PlaysOnlyAnExistingFileWithTheUnquotedPath)
{
    FakeMultimedia multimedia;
    multimedia.files.insert("C:\\My Sounds\\alert.wav");
    PlayAlertSound(multimedia, "alert.wav");
    PlayAlertSound(multimedia, "C:\\My Sounds\\alert.wav");
    EXPECT_EQ(multimedia.commands, std::vector<std::string>{"Play C:\\My Sounds\\alert.wav"});
}

TEST(AlertMail, PassesTheNineArgumentsInOrder)
{
    FakeMailLibrary library;
    library.accept = false;
    library.answer = "Couldn't connect to server";
    const MailOutcome outcome = SendAlertMail(library, " admin@example.org", "The current temperature is: 61");
    ASSERT_EQ(library.calls.size(), 1u);
    const auto &call = library.calls[0];
    EXPECT_TRUE(call.resultEmpty);
    EXPECT_EQ(call.sender, "orvane@localhost");
    EXPECT_EQ(call.recipient, " admin@example.org"); // as stored, not trimmed
    EXPECT_EQ(call.subject, "Orvane Alert!");
    EXPECT_EQ(call.body, "The current temperature is: 61");
    EXPECT_TRUE(call.nullsAsExpected);
    EXPECT_EQ(call.timeLimit, 1000);
    EXPECT_FALSE(outcome.sent);
    EXPECT_EQ(outcome.resultText, "Couldn't connect to server");
}

struct MailTestCase
{
    const char *name;
    std::string address;
    std::int32_t temperature;
    bool accept;
    std::vector<std::string> bodies; // of the mails sent
    std::vector<std::string> shown; // message boxes
};

void PrintTo(const MailTestCase &c, std::ostream *out)
{
    *out << c.name;
}

class MailTestButton : public ::testing::TestWithParam<MailTestCase>
{
};

TEST_P(MailTestButton, SaysSentOnlyWhenTheLibraryAccepted)
{
    const MailTestCase &c = GetParam();
    FakeMailLibrary library;
    library.accept = c.accept;
    library.answer = c.accept ? "250 OK" : "Login denied";
    FakeMessageBox box;
    std::vector<int> drivesRead;
    const TemperatureReader read = [&](std::uint8_t drive) {
        drivesRead.push_back(drive);
        return TAttrReading{c.temperature, c.temperature == kNoTemperature ? kNoThreshold : 0, 100, 100};
    };
    sendTestMail(c.address, read, library, box);

    std::vector<std::string> bodies;
    for (const auto &call : library.calls) {
        bodies.push_back(call.body);
        EXPECT_EQ(call.recipient, c.address);
    }
    EXPECT_EQ(bodies, c.bodies);
    EXPECT_EQ(box.shown, c.shown);
    EXPECT_EQ(drivesRead, c.bodies.empty() ? std::vector<int>{} : std::vector<int>{0});
}

INSTANTIATE_TEST_SUITE_P(Button, MailTestButton,
                         ::testing::Values(MailTestCase{"Accepted",
                                                        "a@b.org",
                                                        41,
                                                        true,
                                                        {"The current temperature is: 41\xB0"
                                                         "C"},
                                                        {"The Alert! Message was sent to: a@b.org"}},
                                           MailTestCase{
                                               "Refused",
                                               "a@b.org",
                                               41,
                                               false,
                                               {"The current temperature is: 41\xB0"
                                                "C"},
                                               {"The Alert! Message could not be sent to: a@b.org\nLogin denied"}},
                                           MailTestCase{"NoTemperature",
                                                        " a@b.org\t",
                                                        kNoTemperature,
                                                        true,
                                                        {"The current temperature is: N/A"},
                                                        {"The Alert! Message was sent to:  a@b.org\t"}},
                                           MailTestCase{"BlanksOnly", " \t\r\n ", 41, true, {}, {}},
                                           MailTestCase{"Empty", "", 41, true, {}, {}}),
                         [](const auto &param) { return std::string(param.param.name); });

TEST(Messages, ComposedMessagesKeepTheirBytes)
{
    EXPECT_EQ(msg::changedMaxTemperature(55), "CHANGED max temperature: 55\xB0");
    EXPECT_EQ(msg::changedAlertTemperature(45), "CHANGED the alert temperature to: 45\xB0");
    EXPECT_EQ(msg::temperatureOverMaximum(52, 50), "Temperature is over maximum: 52 > 50");
    EXPECT_EQ(msg::sendEmailTo(" a@b"), "SEND email to :  a@b");
    EXPECT_EQ(msg::kAutorun.forState(false), "DISABLED autorun");
    EXPECT_EQ(msg::kLogEvents.forState(false), "DISABLE Log Events");
    EXPECT_EQ(msg::kPlaySound.forState(true), "ENABLED play sound");
}

} // namespace
} // namespace orvane
