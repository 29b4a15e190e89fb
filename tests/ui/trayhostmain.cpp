// SPDX-License-Identifier: MIT
// The tray tests against real hosts run on a display and a session bus of their own: this
// starts Xvfb and a private dbus-daemon before Qt, and gives Qt the X11 platform.
#include "../monitor/peerprocess.h"

#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

std::unique_ptr<orvane::test::PeerProcess> startPeer(const std::vector<std::string> &argv, const std::string &errors,
                                                     std::string &firstLine)
{
    std::string error;
    auto peer = orvane::test::PeerProcess::start(argv, {}, errors, error);
    if (!peer) {
        std::fprintf(stderr, "cannot start %s: %s\n", argv[0].c_str(), error.c_str());
        return nullptr;
    }
    const auto line = peer->readLine(15s);
    if (!line) {
        std::fprintf(stderr, "%s said nothing: %s\n", argv[0].c_str(),
                     orvane::test::readFile(errors).value_or("").c_str());
        return nullptr;
    }
    firstLine = *line;
    return peer;
}

bool listingOnly(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    setenv("TZ", "UTC", 1);
    tzset();
    std::filesystem::create_directories(ORVANE_SCREENSHOTS);
    ::testing::InitGoogleTest(&argc, argv);
    if (listingOnly(argc, argv)) {
        return RUN_ALL_TESTS();
    }
    orvane::test::ScratchDir dir;
    std::string display;
    std::string bus;
    auto xvfb = startPeer({"/usr/bin/Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
                          (dir / "xvfb.err").string(), display);
    auto daemon = startPeer({"/usr/bin/dbus-daemon", "--session", "--nofork", "--print-address=1"},
                            (dir / "dbus.err").string(), bus);
    if (!xvfb || !daemon) {
        std::printf("Xvfb or dbus-daemon is missing: the tray host tests are skipped\n");
        ::testing::GTEST_FLAG(filter) = "-*";
        return RUN_ALL_TESTS();
    }
    setenv("DISPLAY", (":" + display).c_str(), 1);
    setenv("DBUS_SESSION_BUS_ADDRESS", bus.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    unsetenv("XDG_CURRENT_DESKTOP");
    unsetenv("DESKTOP_SESSION");
    int result = 0;
    {
        QApplication app(argc, argv);
        result = RUN_ALL_TESTS();
    }
    return result;
}
