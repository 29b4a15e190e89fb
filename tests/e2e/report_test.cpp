// SPDX-License-Identifier: MIT
// Runs the orvane-report program itself on recordings and checks what it prints.
#include "platform/replay/driverecording.h"
#include "runreport.h"
#include "tools/reportoptions.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <spawn.h>
#include <unistd.h>
#endif

namespace orvane {
namespace {

using test::Outcome;

Outcome run(const std::string &arguments)
{
    return test::runReport(arguments);
}

// Puts `text` into an identify field as a drive stores it (first character in the high byte).
void putText(SectorBytes &s, std::size_t offset, const std::string &text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        s[offset + (i ^ 1)] = static_cast<std::uint8_t>(text[i]);
    }
}

class Report : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() / ("orvane-e2e-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string write(const std::string &name, const std::string &text)
    {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // A small drive: model "E2E DISK", firmware "FW1", serial "SN42", one power-on-hours
    // attribute and a 56 degree temperature at its threshold... of 0.
    std::string sampleDrive(std::uint8_t map)
    {
        DriveRecording r;
        r.deviceMap = map;
        r.enableOk = true;
        r.identify.emplace();
        putText(*r.identify, 54, "E2E DISK");
        putText(*r.identify, 46, "FW1 ");
        putText(*r.identify, 20, "SN42");
        (*r.identify)[2] = 0x10; // 16 cylinders
        r.attributes.emplace();
        const std::uint8_t slots[2][7] = {{9, 0, 0, 99, 98, 16, 39}, {194, 0, 0, 44, 40, 56, 0}};
        for (int s = 0; s < 2; ++s) {
            std::copy(slots[s], slots[s] + 7, r.attributes->begin() + 2 + 12 * s);
        }
        r.thresholds.emplace();
        (*r.thresholds)[2 + 12 + 1] = 44; // the temperature attribute at its threshold
        return formatRecording(r, "made by the end-to-end test");
    }

    std::filesystem::path dir;
};

TEST_F(Report, PrintsTheJsonOfEveryDriveInNumberOrder)
{
    const std::string a = write("a.rec", sampleDrive(0x02)), b = write("b.rec", sampleDrive(0x08));
    const Outcome r = run("--json --drive 3=" + b + " --drive 1=" + a);
    ASSERT_EQ(r.status, kExitBadAttribute) << r.out;
    const std::string model = "E2E DISK"; // the rest of the field is zeros
    const std::string disk = "\"disk_info\":[[\"IDE HDD 1\",\"S.M.A.R.T supported\"],[\"Cylinders\",\"16\"],"
                             "[\"Heads\",\"0\"],[\"Sectors per Track\",\"0\"],[\"Sector Count\",\"1\"],"
                             "[\"Sector Number\",\"1\"],[\"Low order cylinder\",\"0\"],[\"High order cylinder\",\"0\"],"
                             "[\"Drive/Head\",\"176\"],[\"Actual IDE command\",\"236\"],[\"Model number\",\""
        + model + "\"],[\"Firmware rev\",\"FW1 \"],[\"Serial number\",\"SN42\"]]";
    const std::string smart =
        "\"smart_info\":[[\"09\",\"Power On Hours Count    \",\"0\",\"99\",\"98\",\"406\",\"OK\"],"
        "[\"C2\",\"Temperature             \",\"44\",\"44\",\"40\",\"56\",\"BAD\"]]";
    const std::string drive1 = "{\"row\":[\"1\",\"" + model
        + "\",\"56\xC2\xB0"
          "C\",\"BAD\"],\"reading\":{\"Raw\":56,\"Threshold\":44,\"Value\":44,\"Worst\":40},"
        + disk + "," + smart + "}";
    ASSERT_EQ(r.out.rfind("{\"drives\":[" + drive1 + ",{\"row\":[\"3\"", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("[\"IDE HDD 3\",\"S.M.A.R.T supported\"]"), std::string::npos);
    EXPECT_EQ(r.out.substr(r.out.size() - 3), "]}\n");
}

TEST_F(Report, PrintsAlignedTables)
{
    const Outcome r = run("--drive 0=" + write("a.rec", sampleDrive(0x01)));
    ASSERT_EQ(r.status, kExitBadAttribute) << r.out;
    EXPECT_NE(r.out.find("Drives\n  ID  Model"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  0   E2E DISK  56\xC2\xB0"
                         "C  BAD"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Drive 0: SMART Info\n  ID  Attribute Name            Threshold  Value  Worst  RAW  Status\n"
                         "  09  Power On Hours Count      0          99     98     406  OK\n"),
              std::string::npos)
        << r.out;
}

TEST_F(Report, RecordsADriveSoThatItReplaysTheSame)
{
    const std::string original = write("a.rec", sampleDrive(0x01));
    const Outcome recorded = run("--record 0 --drive 0=" + original);
    ASSERT_EQ(recorded.status, 0) << recorded.out; // a recording judges nothing
    const std::string copy = write("copy.rec", recorded.out);
    EXPECT_EQ(run("--json --drive 0=" + copy).out, run("--json --drive 0=" + original).out);
}

TEST_F(Report, RecordsNothingOfAnAbsentDrive)
{
    const Outcome r = run("--record 1 --drive 0=" + write("a.rec", sampleDrive(0x01)));
    EXPECT_EQ(r.status, kExitDriveUnreadable);
    EXPECT_EQ(r.out, "orvane-report: drive 1 cannot be opened: no such drive\n");
}

TEST_F(Report, RefusesABrokenRecordingNamingItsLine)
{
    const std::string broken = write("broken.rec", "orvane-drive-recording 1\nenable maybe\n");
    const Outcome r = run("--drive 0=" + broken);
    EXPECT_EQ(r.status, kExitError);
    EXPECT_EQ(r.out, "orvane-report: " + broken + ":2: \"enable\" takes \"ok\" or \"fail\"\n");
    const Outcome usage = run("--drive 7=x");
    EXPECT_EQ(usage.status, kExitError);
    EXPECT_NE(usage.out.find("Usage: orvane-report"), std::string::npos);
}

TEST_F(Report, ADriveThatAnswersNothingIsListedAndCountsAsUnread)
{
    // Drive 2 only; drives 0, 1 and 3 are absent.
    const Outcome r = run("--json --drive 2=" + write("a.rec", "orvane-drive-recording 1\n"));
    ASSERT_EQ(r.status, kExitDriveUnreadable);
    EXPECT_EQ(r.out,
              "orvane-report: drive 2 answered no ATA or NVMe command\n"
              "{\"drives\":[{\"row\":[\"2\",\"\",\"N/A\",\"OK\"],\"reading\":{\"Raw\":-9999,\"Threshold\":"
              "-10000,\"Value\":0,\"Worst\":0},\"disk_info\":[],\"smart_info\":[]}]}\n");
}

// Standard output on a chosen descriptor, and the disks of this machine: POSIX only.
#ifndef _WIN32
// Runs orvane-report with its standard output on `out` and its standard error read back.
Outcome runWithOutput(const std::vector<std::string> &arguments, int out)
{
    int errors[2];
    if (::pipe(errors) != 0) {
        return {-1, {}};
    }
    std::vector<char *> argv{const_cast<char *>(ORVANE_REPORT)};
    for (const std::string &argument : arguments) {
        argv.push_back(const_cast<char *>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out, 1);
    posix_spawn_file_actions_adddup2(&actions, errors[1], 2);
    posix_spawn_file_actions_addclose(&actions, errors[0]);
    pid_t child = -1;
    const int spawned = ::posix_spawn(&child, ORVANE_REPORT, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(errors[1]);
    Outcome result{-1, {}};
    char buffer[4096];
    for (ssize_t n; (n = ::read(errors[0], buffer, sizeof buffer)) > 0;) {
        result.out.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(errors[0]);
    int status = 0;
    if (spawned == 0 && ::waitpid(child, &status, 0) == child) {
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return result;
}

TEST_F(Report, OutputThatCannotBeWrittenIsAFailure)
{
    const std::string drive = write("a.rec", sampleDrive(0x01));
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    int closedPipe[2];
    ASSERT_EQ(::pipe2(closedPipe, O_CLOEXEC), 0);
    ::close(closedPipe[0]); // nobody reads: a write fails with a broken pipe
    const struct
    {
        std::vector<std::string> arguments;
        int out;
        std::string reason;
        int judged; // the drive's own bits: its recording has a BAD attribute
    } cases[] = {
        {{"--drive", "0=" + drive}, full, "No space left on device", kExitBadAttribute},
        {{"--json", "--drive", "0=" + drive}, full, "No space left on device", kExitBadAttribute},
        {{"--prometheus", "--drive", "0=" + drive}, full, "No space left on device", kExitBadAttribute},
        {{"--record", "0", "--drive", "0=" + drive}, full, "No space left on device", 0},
        {{"--help"}, full, "No space left on device", 0},
        {{"--drive", "0=" + drive}, closedPipe[1], "Broken pipe", kExitBadAttribute},
    };
    for (const auto &c : cases) {
        const Outcome r = runWithOutput(c.arguments, c.out);
        EXPECT_EQ(r.status, kExitError | c.judged) << c.arguments[0] << "\n" << r.out;
        EXPECT_EQ(r.out, "orvane-report: the output could not be written: " + c.reason + "\n") << c.arguments[0];
    }
    ::close(full);
    ::close(closedPipe[1]);
}
#endif

TEST_F(Report, TextsFromARecordingCannotActOnTheTerminal)
{
    DriveRecording r = parseRecording(sampleDrive(0x01), "sample");
    putText(*r.identify, 54, "\x1b[2J\x1b]0;x\x07\x9d");
    const Outcome tables = run("--drive 0=" + write("a.rec", formatRecording(r, "hostile")));
    ASSERT_EQ(tables.status, kExitBadAttribute) << tables.out; // its temperature is past the threshold
    EXPECT_EQ(tables.out.find('\x1b'), std::string::npos);
    EXPECT_NE(tables.out.find("\\x1b[2J\\x1b]0;x\\x07\\u009d"), std::string::npos) << tables.out;

    const Outcome refused = run("--drive 0=" + write("b.rec", "orvane-drive-recording 1\n\x1b[2Jsmart\n"));
    EXPECT_EQ(refused.status, kExitError);
    EXPECT_NE(refused.out.find(":2: unknown line \"\\x1b[2Jsmart\""), std::string::npos) << refused.out;
}

#ifndef _WIN32
// Without the privilege to open the disks nothing can be read: the tool says why and fails.
// Root runs it as another user; a machine without any disk has nothing to show.
TEST_F(Report, NoDriveReadableIsAFailure)
{
    const std::string asUser = ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const std::string command = asUser + ORVANE_REPORT + " 2>&1";
    FILE *pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, n);
    }
    const int status = ::pclose(pipe);
    if (out.find("cannot be opened") == std::string::npos
        && out.find("answered no ATA or NVMe command") == std::string::npos) {
        GTEST_SKIP() << "no disk here that this user cannot read:\n" << out;
    }
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, kExitDriveUnreadable) << out;
    EXPECT_NE(out.find("install orvane-drive-reader with its capabilities, or run as root"), std::string::npos) << out;
}
#endif

} // namespace
} // namespace orvane
