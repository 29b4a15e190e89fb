// SPDX-License-Identifier: MIT
// The Linux clock's time format comes from the user's locale (T_FMT).
#include "peerprocess.h"
#include "platform/linux/linuxlogclock.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace orvane {
namespace {

std::tm afternoon()
{
    std::tm time{};
    time.tm_year = 126;
    time.tm_mon = 11;
    time.tm_mday = 8;
    time.tm_hour = 13;
    time.tm_min = 5;
    time.tm_sec = 9;
    return time;
}

TEST(LinuxClock, CLocaleAndUnknownLocaleUse24Hours)
{
    for (const char *locale : {"C", "xx_NOWHERE.UTF-8"}) {
        test::ScopedEnv all("LC_ALL", std::string(locale));
        LinuxLogClock clock;
        EXPECT_EQ(clock.formatLongTime(afternoon()), "13:05:09") << locale;
    }
}

TEST(LinuxClock, UsesTheLocalesTimeFormat)
{
    // A locale of our own, compiled into a temporary folder, so that the test does not
    // depend on what the machine has generated.
    test::ScratchDir dir;
    const std::string command = "localedef -i en_US -f UTF-8 " + ((dir / "en_US.UTF-8").string()) + " >"
        + ((dir / "localedef.log").string()) + " 2>&1";
    if (std::system(command.c_str()) != 0) {
        GTEST_SKIP() << "localedef cannot build en_US.UTF-8 (package locales missing?): "
                     << test::readFile((dir / "localedef.log").string()).value_or("");
    }
    test::ScopedEnv path("LOCPATH", dir.path().string());
    test::ScopedEnv all("LC_ALL", std::string("en_US.UTF-8"));
    LinuxLogClock clock;
    EXPECT_EQ(clock.formatLongTime(afternoon()), "01:05:09 PM");
}

TEST(LinuxClock, NowIsTheLocalTime)
{
    LinuxLogClock clock;
    const std::time_t before = std::time(nullptr);
    std::tm now = clock.localNow();
    const std::time_t after = std::time(nullptr);
    const std::time_t seen = std::mktime(&now);
    EXPECT_GE(seen, before);
    EXPECT_LE(seen, after);
}

} // namespace
} // namespace orvane
