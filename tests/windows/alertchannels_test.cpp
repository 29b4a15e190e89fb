// SPDX-License-Identifier: MIT
// The mail library loaded from beside the program, the power calls up to the point where
// they would end the session, the multimedia command interpreter and the local clock.
#include "monitor/alertmail.h"
#include "monitor/power.h"
#include "monitor/sound.h"
#include "platform/windows/mcisound.h"
#include "platform/windows/sendmaildll.h"
#include "platform/windows/windowslogclock.h"
#include "platform/windows/windowspower.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(SendMailDll, CarriesTheNineArgumentsAsTheyAre)
{
    SendMailDll library; // SendMail_Lib.dll beside this program: the test's stand-in
    ASSERT_TRUE(library.loaded());
    const MailOutcome sent = SendAlertMail(library, "me@example.org",
                                           "The current temperature is: 58\xB0"
                                           "C");
    EXPECT_TRUE(sent.sent);
    EXPECT_EQ(sent.resultText,
              "orvane@localhost|me@example.org|null|null|Orvane Alert!|"
              "The current temperature is: 58\xB0"
              "C|null|1000");
    const MailOutcome refused = SendAlertMail(library, "", "x");
    EXPECT_FALSE(refused.sent);
}

TEST(SendMailDll, AMissingOrForeignLibraryFailsEveryMailWithTheReason)
{
    const struct
    {
        const char *path, *reason;
    } cases[] = {
        {"Z:\\no\\such\\folder\\SendMail_Lib.dll", "The mail library cannot be loaded: Z:\\no\\such\\folder\\"},
        {"kernel32.dll", "The mail library has no SendMail"},
    };
    for (const auto &c : cases) {
        SendMailDll library(c.path);
        EXPECT_FALSE(library.loaded());
        const MailOutcome outcome = SendAlertMail(library, "me@example.org", "body");
        EXPECT_FALSE(outcome.sent);
        EXPECT_EQ(outcome.resultText.rfind(c.reason, 0), 0u) << outcome.resultText;
    }
}

TEST(WindowsPower, GrantsTheShutdownPrivilegeStepByStep)
{
    WindowsPower power;
    EXPECT_TRUE(power.hasPrivileges());
    const TokenHandle token = power.openProcessToken(0x28);
    ASSERT_NE(token, kNoToken);
    std::uint64_t luid = 0;
    ASSERT_TRUE(power.lookupPrivilegeValue("SeShutdownPrivilege", luid));
    EXPECT_EQ(luid, 19u); // SE_SHUTDOWN_PRIVILEGE
    EXPECT_TRUE(power.adjustTokenPrivileges(token, luid, 2));
    EXPECT_FALSE(power.lookupPrivilegeValue("SeNoSuchPrivilege", luid));
    // A second token replaces the first, which the back-end closes.
    EXPECT_NE(power.openProcessToken(0x28), kNoToken);
}

TEST(MciCommandInterpreter, FindsFilesNotFoldersAndRunsCommands)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "orvane-sound-test";
    std::filesystem::create_directories(dir);
    const std::string wav = (dir / "alert sound.wav").string();
    std::ofstream(wav, std::ios::binary) << "RIFF";
    MciCommandInterpreter mci;
    EXPECT_TRUE(mci.fileExists(wav));
    EXPECT_FALSE(mci.fileExists(dir.string()));
    EXPECT_FALSE(mci.fileExists((dir / "missing.wav").string()));
    // A command that needs no sound device; a failing one would put up the system's box.
    EXPECT_TRUE(mci.mciExecute("sysinfo all quantity"));
    std::filesystem::remove_all(dir);
}

TEST(WindowsLogClock, FormatsTheGivenTimeNotTheCurrentOne)
{
    WindowsLogClock clock;
    std::tm at{};
    at.tm_year = 2026 - 1900;
    at.tm_mon = 11;
    at.tm_mday = 7;
    at.tm_hour = 14;
    at.tm_min = 5;
    at.tm_sec = 9;
    const std::string text = clock.formatLongTime(at);
    EXPECT_NE(text.find(":05:09"), std::string::npos) << text;
    EXPECT_TRUE(text.find("14") != std::string::npos || text.find("PM") != std::string::npos) << text;
    const std::tm now = clock.localNow();
    EXPECT_GE(now.tm_year, 2024 - 1900);
    EXPECT_GE(now.tm_mday, 1);
}

} // namespace
} // namespace orvane
