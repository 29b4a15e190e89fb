// SPDX-License-Identifier: MIT
#include "monitor/activitylog.h"
#include "monitor/messages.h"
#include "support/fakes.h"
#include "support/scratchdir.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace orvane {
namespace {

using test::FakeClock;
using test::FakeEventLog;
using test::FakeRegistry;

struct LogFixture : ::testing::Test
{
    FakeClock clock;
    MemoryLogPage page;
    FakeEventLog api;
    FakeRegistry registry;
    TfisNTEventLog eventLog{api, registry};
    ActivityLog log{clock, page, eventLog};

    LogFixture()
    {
        clock.set(2026, 12, 8, 14, 30, 5);
        eventLog.setAppName("Orvane");
    }

    std::vector<std::string> reports() const
    {
        std::vector<std::string> found;
        for (const std::string &call : api.calls) {
            if (call.rfind("report ", 0) == 0) {
                found.push_back(call);
            }
        }
        return found;
    }
};

struct StampCase
{
    int year, month, day, hour, minute, second;
    const char *stamp;
};

void PrintTo(const StampCase &c, std::ostream *out)
{
    *out << c.stamp;
}

class StampTest : public ::testing::TestWithParam<StampCase>
{
};

TEST_P(StampTest, DateThenLongTimeExceptAtMidnight)
{
    const StampCase &c = GetParam();
    FakeClock clock;
    clock.set(c.year, c.month, c.day, c.hour, c.minute, c.second);
    EXPECT_EQ(logStamp(clock.now, clock), c.stamp);
}

INSTANTIATE_TEST_SUITE_P(Stamps, StampTest,
                         ::testing::Values(StampCase{2026, 12, 8, 0, 0, 0, "12/08/2026"},
                                           StampCase{2026, 12, 8, 0, 0, 1, "12/08/2026 12:00:01 AM"},
                                           StampCase{2026, 12, 8, 0, 1, 0, "12/08/2026 12:01:00 AM"},
                                           StampCase{2026, 1, 2, 12, 0, 0, "01/02/2026 12:00:00 PM"},
                                           StampCase{2027, 3, 4, 23, 59, 59, "03/04/2027 11:59:59 PM"}),
                         [](const auto &param) {
                             char name[16];
                             std::snprintf(name, sizeof name, "At%02d%02d%02d", param.param.hour % 100,
                                           param.param.minute % 100, param.param.second % 100);
                             return std::string(name);
                         });

TEST_F(LogFixture, MidnightLineIsDateStarMessage)
{
    clock.set(2026, 12, 8, 0, 0, 0);
    log.LogEvent(msg::kOrvaneStarted);
    EXPECT_EQ(page.lines(), std::vector<std::string>{"12/08/2026 * Orvane Started !"});
}

TEST_F(LogFixture, EmptyMessageKeepsTrailingBlank)
{
    log.LogEvent("");
    EXPECT_EQ(page.lines(), std::vector<std::string>{"12/08/2026 02:30:05 PM * "});
}

TEST_F(LogFixture, EventLogGetsTheSameLineOnlyOnceRegistered)
{
    log.LogEvent("before");
    EXPECT_TRUE(reports().empty());

    eventLog.RegisterSource();
    log.LogEvent(msg::changedMaxTemperature(55));

    const std::string line = "12/08/2026 02:30:05 PM * CHANGED max temperature: 55\xB0";
    EXPECT_EQ(page.lines(), (std::vector<std::string>{"12/08/2026 02:30:05 PM * before", line}));
    EXPECT_EQ(reports(), std::vector<std::string>{"report 7 4 0 1073872897 " + line});
}

TEST_F(LogFixture, AppendToPageLeavesTheEventLogAlone)
{
    eventLog.RegisterSource();
    log.appendToPage(msg::kOrvaneWasHibernated);
    EXPECT_EQ(page.lines(), std::vector<std::string>{"12/08/2026 02:30:05 PM * Orvane was Hibernated"});
    EXPECT_TRUE(reports().empty());
}

TEST_F(LogFixture, ClearThenOneMessageLeavesOneLine)
{
    log.LogEvent("one");
    log.LogEvent("two");
    log.Clear();
    log.LogEvent("three");
    EXPECT_EQ(page.lines(), std::vector<std::string>{"12/08/2026 02:30:05 PM * three"});
}

struct SaveCase
{
    const char *name;
    std::vector<std::string> lines;
    std::optional<std::string> existing; // the file's content before the save, or no file
    std::string expected;
};

void PrintTo(const SaveCase &c, std::ostream *out)
{
    *out << c.name;
}

class SaveTest : public ::testing::TestWithParam<SaveCase>
{
};

TEST_P(SaveTest, WritesEveryLineWithCrLf)
{
    const SaveCase &c = GetParam();
    test::ScratchDir dir;
    const std::string file = (dir / "activity.txt").string();
    if (c.existing) {
        test::writeBytes(file, *c.existing);
    }
    MemoryLogPage page;
    for (const std::string &line : c.lines) {
        page.appendLine(line);
    }
    FakeClock clock;
    FakeEventLog api;
    FakeRegistry registry;
    TfisNTEventLog eventLog(api, registry);
    ActivityLog(clock, page, eventLog).Save(file);
    EXPECT_EQ(test::fileBytes(file), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Saves, SaveTest,
    ::testing::Values(SaveCase{"NewFile", {"a", "b \xB0"}, std::nullopt, "a\r\nb \xB0\r\n"},
                      SaveCase{"EmptyLogOverExistingFile", {}, std::string("old content\r\n"), ""},
                      SaveCase{"EmptyLogNewFile", {}, std::nullopt, ""},
                      SaveCase{"ReplacesLongerFile", {"x"}, std::string("0123456789\r\n0123456789\r\n"), "x\r\n"},
                      SaveCase{"EmptyLineKept", {"", "y"}, std::nullopt, "\r\ny\r\n"}),
    [](const auto &param) { return std::string(param.param.name); });

// The save's failures in POSIX terms: folders, modes and users.
#ifndef _WIN32
TEST_F(LogFixture, SaveIntoMissingFolderNamesTheFullPath)
{
    test::ScratchDir dir;
    log.LogEvent("kept");
    char old[4096];
    ASSERT_NE(getcwd(old, sizeof old), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    std::string error;
    try {
        log.Save("missing/./log.txt");
    } catch (const LogSaveError &e) {
        error = e.what();
    }
    ASSERT_EQ(chdir(old), 0);
    EXPECT_EQ(error, "Cannot create file \"" + dir.path().string() + "/missing/log.txt\". No such file or directory");
    EXPECT_EQ(page.lines().size(), 1u);
}

// A pipe or a device chosen as the log file is refused at once: a pipe with no reader
// would otherwise hold the window for ever.
TEST_F(LogFixture, SaveRefusesWhatIsNotAFile)
{
    test::ScratchDir dir;
    const std::string fifo = (dir / "log.txt").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    log.LogEvent("kept");
    std::string error;
    try {
        log.Save(fifo);
    } catch (const LogSaveError &e) {
        error = e.what();
    }
    EXPECT_EQ(error, "Cannot create file \"" + fifo + "\". Not a regular file");
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(page.lines().size(), 1u);
}

// The save's error text, as seen by a user who may not write into `file`'s folder. Root
// writes into any folder whatever its mode, so as root the save runs in a child process
// that has become the unprivileged user "nobody".
std::string saveErrorAsUser(ActivityLog &log, const std::string &file)
{
    auto attempt = [&]() -> std::string {
        try {
            log.Save(file);
            return "saved";
        } catch (const LogSaveError &e) {
            return e.what();
        }
    };
    if (geteuid() != 0) {
        return attempt();
    }
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return "no pipe";
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        std::string text = "cannot become nobody";
        if (setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0) {
            text = attempt();
        }
        (void)!write(pipeEnds[1], text.data(), text.size());
        _exit(0);
    }
    close(pipeEnds[1]);
    std::string text;
    char buffer[512];
    ssize_t got = 0;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    waitpid(child, nullptr, 0);
    return text;
}

TEST_F(LogFixture, SaveIntoFolderThatCannotBeWritten)
{
    test::ScratchDir dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    const std::string folder = (dir / "locked").string();
    ASSERT_EQ(mkdir(folder.c_str(), 0555), 0);
    log.LogEvent("kept");
    EXPECT_EQ(saveErrorAsUser(log, folder + "/log.txt"),
              "Cannot create file \"" + folder + "/log.txt\". Permission denied");
    EXPECT_EQ(page.lines().size(), 1u);
}

#endif

} // namespace
} // namespace orvane
