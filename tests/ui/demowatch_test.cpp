// SPDX-License-Identifier: MIT
// The real orvane-demo on a virtual X display with the temperature watch on: the shipped hot
// drive (58 degrees against 50) brings up the hibernation question with the countdown in
// the caption, and SIGTERM ends the program with the question open and the settings saved.
// The screen with the question stays in build/screenshots for a reviewer.
#include "settings/fileio.h"
#include "uitestsupport.h"

#include <QImage>
#include <QPainter>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <poll.h>
#include <regex>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace orvane::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A child process, ended with SIGKILL if it is still there when the object goes.
struct Child
{
    pid_t pid = -1;
    ~Child()
    {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
    // Its exit status once it has ended within `limit`, or -1.
    int waitEnd(std::chrono::milliseconds limit)
    {
        const auto end = Clock::now() + limit;
        int status = 0;
        while (Clock::now() < end) {
            if (::waitpid(pid, &status, WNOHANG) == pid) {
                pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(20ms);
        }
        return -1;
    }
};

// Xvfb on a display it picks itself, drawing into `frameFolder`; the display's number, or -1.
int startXvfb(Child &server, const std::filesystem::path &frameFolder, const std::filesystem::path &errors)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        return -1;
    }
    server.pid = ::fork();
    if (server.pid == 0) {
        ::close(pipeEnds[0]);
        const int err = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(err, 2);
        const std::string fd = std::to_string(pipeEnds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-fbdir", frameFolder.c_str(),
                 "-nolisten", "tcp", static_cast<char *>(nullptr));
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    std::string number;
    pollfd wait{pipeEnds[0], POLLIN, 0};
    char c = 0;
    while (::poll(&wait, 1, 10000) == 1 && ::read(pipeEnds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    ::close(pipeEnds[0]);
    return number.empty() ? -1 : std::stoi(number);
}

// The names of the display's windows, one a line, as xwininfo lists them.
std::string windowNames(int display)
{
    const std::string command = "xwininfo -display :" + std::to_string(display) + " -root -tree 2>/dev/null";
    std::string names;
    if (FILE *out = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, out)) > 0;) {
            names.append(buffer, got);
        }
        ::pclose(out);
    }
    return names;
}

// The program's window captions among them, one a line.
std::string captionsOf(const std::string &names)
{
    std::string captions;
    const std::regex caption("\"([^\"]*)\": \\(\"orvane-demo\"");
    for (std::sregex_iterator at(names.begin(), names.end(), caption), end; at != end; ++at) {
        captions += (*at)[1].str() + "\n";
    }
    return captions;
}

// The screen as Xvfb keeps it in its frame file: an XWD header (big-endian fields), the
// window name, the colour map, then 32-bit pixels.
QImage screenOf(const std::filesystem::path &frameFile)
{
    const std::string data = readWholeFile(frameFile, 64u << 20); // a screen, not a settings file
    const auto field = [&data](std::size_t index) {
        const auto *p = reinterpret_cast<const unsigned char *>(data.data()) + 4 * index;
        return std::size_t{p[0]} << 24 | std::size_t{p[1]} << 16 | std::size_t{p[2]} << 8 | p[3];
    };
    if (data.size() < 100 || field(11) != 32) {
        return {};
    }
    const std::size_t width = field(4), height = field(5), bytesPerLine = field(12);
    const std::size_t pixels = field(0) + 12 * field(19);
    if (data.size() < pixels + bytesPerLine * height) {
        return {};
    }
    return QImage(reinterpret_cast<const uchar *>(data.data() + pixels), static_cast<int>(width),
                  static_cast<int>(height), static_cast<qsizetype>(bytesPerLine), QImage::Format_RGB32)
        .copy();
}

TEST(DemoWatch, HotShippedDriveAsksWithACountdownAndSigtermSavesWithTheQuestionOpen)
{
    if (std::system("command -v Xvfb >/dev/null 2>&1 && command -v xwininfo >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "Xvfb or xwininfo (x11-utils) is not installed";
    }
    ScratchDir folder;
    const std::filesystem::path frames = folder.path() / "frames";
    std::filesystem::create_directories(frames);
    // What a user gets by ticking the two boxes and the emergency hibernation; SoundPath is
    // left out, so that the saved file is told from this one by it.
    std::ofstream(folder.path() / "config.xml")
        << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\n<Orvane>\n"
           "<TempWarn>-1</TempWarn>\n<PopupNotification>-1</PopupNotification>\n"
           "<Hibernation>-1</Hibernation>\n<Temp>50</Temp>\n</Orvane>\n";
    Child server;
    const int display = startXvfb(server, frames, folder.path() / "xvfb.txt");
    ASSERT_GE(display, 0) << readWholeFile(folder.path() / "xvfb.txt");

    Child demo;
    const auto started = Clock::now();
    demo.pid = ::fork();
    if (demo.pid == 0) {
        const int out = ::open((folder.path() / "demo.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, 1);
        ::dup2(out, 2);
        if (::chdir(folder.path().c_str()) != 0) {
            ::_exit(126);
        }
        ::unsetenv("QT_QPA_PLATFORM");
        ::setenv("DISPLAY", (":" + std::to_string(display)).c_str(), 1);
        ::execl(ORVANE_DEMO, ORVANE_DEMO, static_cast<char *>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(demo.pid, 0);

    // The first watch cycle comes 30 seconds after start-up; then the countdown must move.
    const std::regex countdown("\"Hibernate on ([0-9]+)s");
    std::vector<int> seen;
    double askedAfter = 0;
    while (Clock::now() - started < 45s && (seen.size() < 2 || seen.front() == seen.back())) {
        const std::string names = windowNames(display);
        std::smatch caption;
        if (names.find("\"Warning") != std::string::npos && std::regex_search(names, caption, countdown)) {
            if (seen.empty()) {
                askedAfter = std::chrono::duration<double>(Clock::now() - started).count();
            }
            seen.push_back(std::stoi(caption[1]));
        }
        std::this_thread::sleep_for(250ms);
    }
    ASSERT_GE(seen.size(), 2U) << "no question with a countdown; the demo said:\n"
                               << readWholeFile(folder.path() / "demo.txt");
    EXPECT_LT(seen.back(), seen.front());
    EXPECT_LE(seen.front(), 59);
    EXPECT_LT(askedAfter, 40.0);
    std::printf("the question came %.1f s after the start, counting down from %d\n", askedAfter, seen.front());

    QImage screen = screenOf(frames / "Xvfb_screen0");
    ASSERT_FALSE(screen.isNull());
    // A display without a window manager draws no caption bars: the captions that the
    // display reported are written under the window for whoever looks at the picture.
    {
        QPainter painter(&screen);
        painter.setPen(Qt::white);
        painter.drawText(QRect(0, screen.height() - 110, screen.width(), 100), Qt::AlignCenter,
                         QStringLiteral("Captions as the X display reported them (added by the test):\n")
                             + QString::fromStdString(captionsOf(windowNames(display))));
    }
    EXPECT_TRUE(screen.save(QStringLiteral(ORVANE_SCREENSHOTS "/orvane-demo-hibernate-question.png")));

    ::kill(demo.pid, SIGTERM);
    EXPECT_EQ(demo.waitEnd(20s), 0) << readWholeFile(folder.path() / "demo.txt");
    const std::string saved = readWholeFile(folder.path() / "config.xml");
    EXPECT_NE(saved.find("<SoundPath>alert.wav</SoundPath>\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("<Hibernation>-1</Hibernation>"), std::string::npos) << saved;
    EXPECT_NE(saved.find("<Temp>50</Temp>"), std::string::npos) << saved;
}

} // namespace
} // namespace orvane::test
