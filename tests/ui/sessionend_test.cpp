// SPDX-License-Identifier: MIT
// SIGTERM, SIGINT and SIGHUP end the program with a save of the settings, so that they are
// saved when the machine shuts down or the terminal closes; a save that fails then is
// reported and the program ends all the same. Runs the real orvane-demo, offscreen.
#include "support/waitfor.h"
#include "uitestsupport.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

// The signals the process catches, from /proc/PID/status.
unsigned long long caughtSignals(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("SigCgt:", 0) == 0) {
            return std::stoull(line.substr(7), nullptr, 16);
        }
    }
    return 0;
}

struct EndCase
{
    int signal;
    bool saveFails; // config.xml turns into a folder while the program runs
};

void PrintTo(const EndCase &c, std::ostream *out)
{
    *out << strsignal(c.signal) << (c.saveFails ? ", save fails" : "");
}

class SessionEnd : public ::testing::TestWithParam<EndCase>
{
};

TEST_P(SessionEnd, SignalEndsTheProgramWithASaveOfTheSettings)
{
    const EndCase &c = GetParam();
    ScratchDir folder;
    const std::filesystem::path drives = folder.path() / "drives";
    std::filesystem::create_directories(drives);
    std::ofstream((drives / "a.rec").string()) << formatRecording(MadeDrive("SIGNAL DISK", 33), "made by a test");

    const std::string cwd = folder.path().string();
    const std::string drivesArg = drives.string();
    const std::string errors = (folder.path() / "stderr.txt").string();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(cwd.c_str()) != 0 || !freopen(errors.c_str(), "w", stderr)) {
            _exit(126);
        }
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execl(ORVANE_DEMO, ORVANE_DEMO, "--drives", drivesArg.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    ASSERT_GT(pid, 0);
    const unsigned long long bit = 1ULL << (c.signal - 1);
    const bool ready = waitFor([&] { return (caughtSignals(pid) & bit) != 0; }, 30s);
    if (!ready) {
        kill(pid, SIGKILL);
    }
    ASSERT_TRUE(ready) << "the demo never started to listen for the signal";
    if (c.saveFails) {
        std::filesystem::create_directory(folder.path() / "config.xml");
    }
    kill(pid, c.signal);
    int status = 0;
    const bool ended = waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 20s);
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    ASSERT_TRUE(ended) << "the program did not end";
    std::ifstream stderrText(errors);
    std::ostringstream reported;
    reported << stderrText.rdbuf();
    if (c.saveFails) {
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
        EXPECT_NE(reported.str().find("orvane: The settings could not be saved: Cannot create file \""),
                  std::string::npos)
            << reported.str();
        return;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    std::ifstream saved(folder.path() / "config.xml", std::ios::binary);
    std::ostringstream text;
    text << saved.rdbuf();
    EXPECT_NE(text.str().find("<Temp>50</Temp>"), std::string::npos) << text.str();
}

INSTANTIATE_TEST_SUITE_P(Signals, SessionEnd,
                         ::testing::Values(EndCase{SIGTERM, false}, EndCase{SIGINT, false}, EndCase{SIGHUP, false},
                                           EndCase{SIGTERM, true}, EndCase{SIGHUP, true}),
                         [](const auto &param) {
                             return std::string(sigabbrev_np(param.param.signal))
                                 + (param.param.saveFails ? "SaveFails" : "");
                         });

} // namespace
} // namespace orvane::test
