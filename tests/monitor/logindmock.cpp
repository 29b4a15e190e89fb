// SPDX-License-Identifier: MIT
#include "logindmock.h"

#include <systemd/sd-bus.h>

namespace orvane::test {

namespace {

using namespace std::chrono_literals;

// A client connection to the bus at `address`, or null.
sd_bus *connect(const std::string &address)
{
    sd_bus *bus = nullptr;
    if (sd_bus_new(&bus) < 0) {
        return nullptr;
    }
    if (sd_bus_set_address(bus, address.c_str()) < 0 || sd_bus_set_bus_client(bus, 1) < 0 || sd_bus_start(bus) < 0) {
        sd_bus_flush_close_unref(bus);
        return nullptr;
    }
    return bus;
}

bool nameHasOwner(const std::string &address, const char *name)
{
    sd_bus *bus = connect(address);
    bool owned = false;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message *reply = nullptr;
    int has = 0;
    if (bus != nullptr
        && sd_bus_call_method(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                              "NameHasOwner", &error, &reply, "s", name)
            >= 0
        && sd_bus_message_read(reply, "b", &has) >= 0) {
        owned = has != 0;
    }
    sd_bus_message_unref(reply);
    sd_bus_error_free(&error);
    sd_bus_flush_close_unref(bus);
    return owned;
}

} // namespace

bool LogindMock::start(const ScratchDir &folder, std::string &skip, std::string &error)
{
    writeFile(folder / "bus.conf",
              "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
              " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
              "<busconfig><listen>unix:path="
                  + ((folder / "bus").string())
                  + "</listen><auth>EXTERNAL</auth>"
                    "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                    "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n");
    m_daemon = PeerProcess::start(
        {"/usr/bin/dbus-daemon", "--config-file=" + ((folder / "bus.conf").string()), "--nofork", "--print-address=1"},
        {}, (folder / "daemon.err").string(), error);
    if (!m_daemon) {
        skip = "cannot start the private bus: " + error;
        return false;
    }
    const auto line = m_daemon->readLine(10s);
    if (!line) {
        error = "dbus-daemon printed no address: " + readFile((folder / "daemon.err").string()).value_or("");
        return false;
    }
    m_address = *line;
    m_log = (folder / "calls.log").string();
    m_logind = PeerProcess::start({"/usr/bin/python3", "-m", "dbusmock", "--template", "logind", "-l", m_log},
                                  {{"DBUS_SYSTEM_BUS_ADDRESS", m_address}}, (folder / "logind.err").string(), error);
    if (!m_logind) {
        return false;
    }
    const bool up = waitFor([this] { return nameHasOwner(m_address, "org.freedesktop.login1"); }, 15s);
    if (!up) {
        if (!m_logind->running()) {
            skip = "python3-dbusmock did not start: " + readFile((folder / "logind.err").string()).value_or("");
        } else {
            error = "the logind mock never took its name";
        }
        return false;
    }
    m_env = std::make_unique<ScopedEnv>("DBUS_SYSTEM_BUS_ADDRESS", m_address);
    return true;
}

std::vector<std::string> LogindMock::calls() const
{
    std::vector<std::string> methods;
    const std::string log = readFile(m_log).value_or("");
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

bool LogindMock::replaceMethod(const std::string &name, const std::string &inSignature, const std::string &outSignature,
                               const std::string &code)
{
    sd_bus *bus = connect(m_address);
    sd_bus_error error = SD_BUS_ERROR_NULL;
    const bool done = bus != nullptr
        && sd_bus_call_method(bus, "org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.DBus.Mock",
                              "AddMethod", &error, nullptr, "sssss", "org.freedesktop.login1.Manager", name.c_str(),
                              inSignature.c_str(), outSignature.c_str(), code.c_str())
            >= 0;
    sd_bus_error_free(&error);
    sd_bus_flush_close_unref(bus);
    return done;
}

} // namespace orvane::test
