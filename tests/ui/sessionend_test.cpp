// SIGTERM and SIGINT ask the window to close as its close box does, so the settings are
// saved when the machine shuts down. Runs the real orvane-demo, offscreen.
#include "support/waitfor.h"
#include "uitestsupport.h"

#include <chrono>
#include <csignal>
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

class SessionEnd : public ::testing::TestWithParam<int>
{
};

TEST_P(SessionEnd, SignalClosesTheWindowAndSavesTheSettings)
{
    ScratchDir folder;
    const std::filesystem::path drives = folder.path() / "drives";
    std::filesystem::create_directories(drives);
    std::ofstream((drives / "a.rec").string()) << formatRecording(MadeDrive("SIGNAL DISK", 33), "made by a test");

    const std::string cwd = folder.path().string();
    const std::string drivesArg = drives.string();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(cwd.c_str()) != 0) {
            _exit(126);
        }
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execl(ORVANE_DEMO, ORVANE_DEMO, "--drives", drivesArg.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    ASSERT_GT(pid, 0);
    const int signal = GetParam();
    const unsigned long long bit = 1ULL << (signal - 1);
    const bool ready = waitFor([&] { return (caughtSignals(pid) & bit) != 0; }, 30s);
    if (!ready) {
        kill(pid, SIGKILL);
    }
    ASSERT_TRUE(ready) << "the demo never started to listen for the signal";
    kill(pid, signal);
    int status = 0;
    const bool ended = waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 20s);
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    ASSERT_TRUE(ended);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    std::ifstream saved(folder.path() / "config.xml", std::ios::binary);
    std::ostringstream text;
    text << saved.rdbuf();
    EXPECT_NE(text.str().find("<Temp>50</Temp>"), std::string::npos) << text.str();
}

INSTANTIATE_TEST_SUITE_P(Signals, SessionEnd, ::testing::Values(SIGTERM, SIGINT),
                         [](const auto &param) { return std::string(param.param == SIGTERM ? "SIGTERM" : "SIGINT"); });

} // namespace
} // namespace orvane::test
