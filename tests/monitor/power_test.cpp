// SPDX-License-Identifier: MIT
// Shutdown and hibernation against a private D-Bus daemon that stands in for the system
// bus, with python-dbusmock's logind template answering as org.freedesktop.login1.
#include "logindmock.h"
#include "monitor/power.h"
#include "platform/linux/logindpower.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using namespace std::chrono_literals;

class LogindPeer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string skip;
        std::string error;
        if (!m_logind.start(m_dir, skip, error)) {
            if (!skip.empty()) {
                GTEST_SKIP() << skip;
            }
            FAIL() << error;
        }
    }

    std::vector<std::string> calls() { return m_logind.calls(); }

    test::ScratchDir m_dir;
    test::LogindMock m_logind;
};

TEST_F(LogindPeer, ShutdownAndHibernationReachLogindWithoutInteraction)
{
    LogindPower power;
    EXPECT_TRUE(ShutDownWindows(power, kEwxShutdown | kEwxForce));
    HibernateComputer(power);
    EXPECT_TRUE(power.exitWindowsEx(kEwxReboot, 0));
    EXPECT_FALSE(power.exitWindowsEx(0, 0)); // ending the session alone: nothing is sent
    const std::vector<std::string> expected{"PowerOff False", "CanHibernate", "Hibernate False", "Reboot False"};
    EXPECT_TRUE(test::waitFor([&] { return calls() == expected; }, 3s)) << ::testing::PrintToString(calls());
}

struct RefusalCase
{
    const char *name;
    const char *method; // replaced in the mock
    const char *inSignature;
    const char *outSignature;
    const char *code;
    std::string reason;
    std::vector<std::string> calls;
};

void PrintTo(const RefusalCase &c, std::ostream *out)
{
    *out << c.name;
}

class HibernationRefused : public LogindPeer, public ::testing::WithParamInterface<RefusalCase>
{
};

// A refused hibernation is reported with logind's own reason, so that the alarm can say
// why the computer stayed on.
TEST_P(HibernationRefused, TheReasonIsLogindsOwn)
{
    const RefusalCase &c = GetParam();
    ASSERT_TRUE(m_logind.replaceMethod(c.method, c.inSignature, c.outSignature, c.code));
    LogindPower power;
    const PowerOutcome outcome = HibernateComputer(power);
    EXPECT_FALSE(outcome.accepted);
    EXPECT_EQ(outcome.reason, c.reason);
    EXPECT_TRUE(test::waitFor([&] { return calls() == c.calls; }, 3s)) << ::testing::PrintToString(calls());
}

INSTANTIATE_TEST_SUITE_P(
    Logind, HibernationRefused,
    ::testing::Values(RefusalCase{"NotAvailable",
                                  "CanHibernate",
                                  "",
                                  "s",
                                  "ret = 'na'",
                                  "hibernation is not available on this computer",
                                  {"CanHibernate"}},
                      RefusalCase{"NotAllowed",
                                  "CanHibernate",
                                  "",
                                  "s",
                                  "ret = 'no'",
                                  "hibernation is not allowed for this user",
                                  {"CanHibernate"}},
                      RefusalCase{"Refused",
                                  "Hibernate",
                                  "b",
                                  "",
                                  "raise dbus.exceptions.DBusException('Not enough swap space for hibernation', "
                                  "name='org.freedesktop.login1.SleepVerbNotSupported')",
                                  "Not enough swap space for hibernation",
                                  {"CanHibernate", "Hibernate False",
                                   "Hibernate raised: org.freedesktop.login1.SleepVerbNotSupported: "
                                   "Not enough swap space for hibernation"}}),
    [](const auto &param) { return std::string(param.param.name); });

TEST(LogindMissing, NoBusIsSilentAndQuick)
{
    test::ScratchDir dir;
    test::ScopedEnv env("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + ((dir / "no-bus").string()));
    LogindPower power;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ShutDownWindows(power, kEwxShutdown | kEwxForce));
    const PowerOutcome outcome = HibernateComputer(power);
    EXPECT_FALSE(outcome.accepted);
    EXPECT_FALSE(outcome.reason.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}

} // namespace
} // namespace orvane
