// SPDX-License-Identifier: MIT
// The system-log writer against a datagram socket that the test binds in a temporary folder.
#include "monitor/activitylog.h"
#include "peerprocess.h"
#include "platform/linux/syslogeventlog.h"
#include "support/fakes.h"

#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace orvane {
namespace {

// A bound Unix datagram socket standing in for the log daemon.
class LogListener
{
public:
    explicit LogListener(const std::string &path)
    {
        m_fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        m_bound = ::bind(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    }
    ~LogListener() { ::close(m_fd); }

    [[nodiscard]] bool bound() const { return m_bound; }

    std::optional<std::string> receive(int timeoutMs)
    {
        pollfd wait{m_fd, POLLIN, 0};
        if (::poll(&wait, 1, timeoutMs) != 1) {
            return std::nullopt;
        }
        char buffer[8192];
        const ssize_t got = ::recv(m_fd, buffer, sizeof buffer, 0);
        return got < 0 ? std::nullopt : std::optional<std::string>(std::string(buffer, static_cast<std::size_t>(got)));
    }

private:
    int m_fd = -1;
    bool m_bound = false;
};

std::string prefix()
{
    return "<14>Orvane[" + std::to_string(::getpid()) + "]: ";
}

TEST(SyslogPeer, LoggedLineArrivesOnceAsUtf8)
{
    test::ScratchDir dir;
    LogListener listener((dir / "log").string());
    ASSERT_TRUE(listener.bound());
    SyslogEventLog syslog((dir / "log").string());
    NoEventSourceRegistry registry;
    TfisNTEventLog writer(syslog, registry);
    writer.setAppName("Orvane");
    writer.RegisterSource();

    test::FakeClock clock;
    clock.set(2026, 12, 8, 0, 0, 0);
    MemoryLogPage page;
    ActivityLog log(clock, page, writer);
    log.LogEvent("CHANGED max temperature: 55\xB0");

    EXPECT_EQ(listener.receive(2000), prefix() + "12/08/2026 * CHANGED max temperature: 55\xC2\xB0");
    EXPECT_EQ(listener.receive(100), std::nullopt);
}

TEST(SyslogPeer, MissingSocketDropsTheLineAndALaterDaemonGetsTheNext)
{
    test::ScratchDir dir;
    SyslogEventLog syslog((dir / "log").string());
    NoEventSourceRegistry registry;
    TfisNTEventLog writer(syslog, registry);
    writer.setAppName("Orvane");
    writer.RegisterSource(); // no daemon: registering must still work
    EXPECT_TRUE(writer.Enabled());
    writer.WriteEvent("lost");

    LogListener listener((dir / "log").string());
    ASSERT_TRUE(listener.bound());
    writer.WriteEvent("found");
    EXPECT_EQ(listener.receive(2000), prefix() + "found");
    EXPECT_EQ(listener.receive(100), std::nullopt);
}

TEST(SyslogPeer, FullSocketDropsLinesWithoutBlocking)
{
    test::ScratchDir dir;
    LogListener listener((dir / "log").string());
    ASSERT_TRUE(listener.bound());
    SyslogEventLog syslog((dir / "log").string());
    const EventSourceHandle source = syslog.registerEventSource("Orvane");
    ASSERT_NE(source, kNoEventSource);

    // Nobody reads: the queue fills up long before the last of these.
    constexpr int kLines = 5000;
    const std::string text(200, 'x');
    int accepted = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kLines; ++i) {
        accepted += syslog.reportEvent(source, kEventLogInformationType, 0, 0, text) ? 1 : 0;
    }
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(2));
    ASSERT_LT(accepted, kLines) << "the socket never filled up, so nothing was tested";

    int received = 0;
    while (listener.receive(0)) {
        ++received;
    }
    EXPECT_EQ(received, accepted);
    // Once drained, lines flow again.
    EXPECT_TRUE(syslog.reportEvent(source, kEventLogInformationType, 0, 0, "again"));
    EXPECT_EQ(listener.receive(2000), prefix() + "again");
}

} // namespace
} // namespace orvane
