// SPDX-License-Identifier: MIT
// The Run value written and removed through the registry as Wine keeps it.
#include "platform/windows/modulepath.h"
#include "platform/windows/runvalue.h"
#include "registryscratch.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

const std::string kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST(RunValue, QuotesTheWholePathWithItsTerminatingZero)
{
    const struct
    {
        const char *executable, *data;
    } cases[] = {
        {"C:\\Orvane\\orvane.exe", "\"C:\\Orvane\\orvane.exe\""},
        {"C:\\Program Files\\Orvane Monitor\\orvane.exe", "\"C:\\Program Files\\Orvane Monitor\\orvane.exe\""},
    };
    for (const auto &c : cases) {
        test::ScratchKey scratch;
        WindowsRunValue run(scratch.root(), c.executable);
        ASSERT_TRUE(run.write({})) << c.executable;
        const auto stored = test::readValue(scratch.key(), kRunKey, "Orvane");
        ASSERT_TRUE(stored) << c.executable;
        EXPECT_EQ(stored->type, DWORD(REG_SZ));
        EXPECT_EQ(stored->bytes, std::string(c.data) + '\0') << c.executable;
    }
}

TEST(RunValue, EveryCallCreatesTheKeyAndAMovedProgramRewritesTheValue)
{
    test::ScratchKey scratch;
    ASSERT_FALSE(test::keyExists(scratch.key(), kRunKey));
    WindowsRunValue(scratch.root(), "C:\\a\\orvane.exe").remove(); // nothing to delete: silent
    EXPECT_TRUE(test::keyExists(scratch.key(), kRunKey));
    EXPECT_FALSE(test::readValue(scratch.key(), kRunKey, "Orvane"));

    ASSERT_TRUE(WindowsRunValue(scratch.root(), "C:\\a\\orvane.exe").write({}));
    ASSERT_TRUE(WindowsRunValue(scratch.root(), "D:\\moved\\orvane.exe").write({}));
    EXPECT_EQ(test::readValue(scratch.key(), kRunKey, "Orvane")->bytes,
              std::string("\"D:\\moved\\orvane.exe\"") + '\0');

    // Another program's value beside ours stays.
    HKEY run = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(scratch.key(), kRunKey.c_str(), 0, KEY_SET_VALUE, &run), ERROR_SUCCESS);
    ::RegSetValueExA(run, "Other", 0, REG_SZ, reinterpret_cast<const BYTE *>("x"), 2);
    ::RegCloseKey(run);
    WindowsRunValue(scratch.root(), "D:\\moved\\orvane.exe").remove();
    EXPECT_FALSE(test::readValue(scratch.key(), kRunKey, "Orvane"));
    EXPECT_TRUE(test::readValue(scratch.key(), kRunKey, "Other"));
}

TEST(RunValue, ARefusedKeyIsReportedAndNothingIsWritten)
{
    test::ScratchKey scratch;
    const test::RefusingKey refusing(scratch.key());
    WindowsRunValue run(refusing.root(), "C:\\a\\orvane.exe");
    EXPECT_FALSE(run.write({}));
    run.remove();
    EXPECT_FALSE(test::keyExists(refusing.key(), kRunKey));
}

TEST(RunValue, TheRealRunKeyNamesTheRunningProgram)
{
    WindowsRunValue run;
    EXPECT_EQ(run.executable(), ModulePath());
    EXPECT_NE(run.executable().find("test_windows.exe"), std::string::npos) << run.executable();
    ASSERT_TRUE(run.write({}));
    EXPECT_EQ(test::readValue(HKEY_CURRENT_USER, kRunKey, "Orvane")->bytes, "\"" + ModulePath() + "\"" + '\0');
    run.remove();
    EXPECT_FALSE(test::readValue(HKEY_CURRENT_USER, kRunKey, "Orvane"));
}

} // namespace
} // namespace orvane
