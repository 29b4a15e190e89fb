// Shutdown and hibernation against a private D-Bus daemon that stands in for the system
// bus, with python-dbusmock's logind template answering as org.freedesktop.login1.
#include "monitor/power.h"
#include "peerprocess.h"
#include "platform/linux/logindpower.h"

#include <gtest/gtest.h>
#include <systemd/sd-bus.h>

namespace orvane {
namespace {

using namespace std::chrono_literals;

bool nameHasOwner(const std::string &address, const char *name)
{
    sd_bus *bus = nullptr;
    if (sd_bus_new(&bus) < 0) {
        return false;
    }
    bool owned = false;
    if (sd_bus_set_address(bus, address.c_str()) >= 0 && sd_bus_set_bus_client(bus, 1) >= 0 && sd_bus_start(bus) >= 0) {
        sd_bus_error error = SD_BUS_ERROR_NULL;
        sd_bus_message *reply = nullptr;
        int has = 0;
        if (sd_bus_call_method(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                               "NameHasOwner", &error, &reply, "s", name)
                >= 0
            && sd_bus_message_read(reply, "b", &has) >= 0) {
            owned = has != 0;
        }
        sd_bus_message_unref(reply);
        sd_bus_error_free(&error);
    }
    sd_bus_flush_close_unref(bus);
    return owned;
}

class LogindPeer : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test::writeFile((m_dir / "bus.conf").string(),
                        "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                        " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                        "<busconfig><listen>unix:path="
                            + ((m_dir / "bus").string())
                            + "</listen><auth>EXTERNAL</auth>"
                              "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                              "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n");
        std::string error;
        m_daemon = test::PeerProcess::start({"/usr/bin/dbus-daemon", "--config-file=" + ((m_dir / "bus.conf").string()),
                                             "--nofork", "--print-address=1"},
                                            {}, (m_dir / "daemon.err").string(), error);
        if (!m_daemon) {
            GTEST_SKIP() << "cannot start the private bus: " << error;
        }
        const auto line = m_daemon->readLine(10s);
        ASSERT_TRUE(line) << "dbus-daemon printed no address: "
                          << test::readFile((m_dir / "daemon.err").string()).value_or("");
        m_address = *line;

        m_logind = test::PeerProcess::start(
            {"/usr/bin/python3", "-m", "dbusmock", "--template", "logind", "-l", (m_dir / "calls.log").string()},
            {{"DBUS_SYSTEM_BUS_ADDRESS", m_address}}, (m_dir / "logind.err").string(), error);
        ASSERT_TRUE(m_logind) << error;
        const bool up = test::waitFor([this] { return nameHasOwner(m_address, "org.freedesktop.login1"); }, 15s);
        if (!up && !m_logind->running()) {
            GTEST_SKIP() << "python3-dbusmock did not start: "
                         << test::readFile((m_dir / "logind.err").string()).value_or("");
        }
        ASSERT_TRUE(up) << "logind mock never took its name";
        m_env = std::make_unique<test::ScopedEnv>("DBUS_SYSTEM_BUS_ADDRESS", m_address);
    }

    // The mock's record of method calls, one "<time> <method> <arguments>" a line.
    std::vector<std::string> calls()
    {
        std::vector<std::string> methods;
        const std::string log = test::readFile((m_dir / "calls.log").string()).value_or("");
        std::size_t start = 0;
        while (start < log.size()) {
            std::size_t end = log.find('\n', start);
            if (end == std::string::npos) {
                end = log.size();
            }
            const std::string line = log.substr(start, end - start);
            methods.push_back(line.substr(line.find(' ') + 1));
            start = end + 1;
        }
        return methods;
    }

    test::ScratchDir m_dir;
    std::unique_ptr<test::PeerProcess> m_daemon;
    std::unique_ptr<test::PeerProcess> m_logind;
    std::string m_address;
    std::unique_ptr<test::ScopedEnv> m_env;
};

TEST_F(LogindPeer, ShutdownAndHibernationReachLogindWithoutInteraction)
{
    LogindPower power;
    EXPECT_TRUE(ShutDownWindows(power, kEwxShutdown | kEwxForce));
    HibernateComputer(power);
    EXPECT_TRUE(power.exitWindowsEx(kEwxReboot, 0));
    EXPECT_FALSE(power.exitWindowsEx(0, 0)); // ending the session alone: nothing is sent
    const std::vector<std::string> expected{"PowerOff False", "Hibernate False", "Reboot False"};
    EXPECT_TRUE(test::waitFor([&] { return calls() == expected; }, 3s)) << ::testing::PrintToString(calls());
}

TEST(LogindMissing, NoBusIsSilentAndQuick)
{
    test::ScratchDir dir;
    test::ScopedEnv env("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + ((dir / "no-bus").string()));
    LogindPower power;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ShutDownWindows(power, kEwxShutdown | kEwxForce));
    HibernateComputer(power);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}

} // namespace
} // namespace orvane
