// SPDX-License-Identifier: MIT
#pragma once

// python-dbusmock's logind template on a private D-Bus daemon that stands in for the system
// bus: the peer of the power back-end.

#include "peerprocess.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane::test {

class LogindMock
{
public:
    // Starts the bus and the mock in `folder` and points DBUS_SYSTEM_BUS_ADDRESS at the bus
    // for the life of the object. On failure `skip` says why the machine cannot run the
    // mock (a missing dbus-daemon or python3-dbusmock) or `error` what went wrong.
    bool start(const ScratchDir &folder, std::string &skip, std::string &error);

    // The mock's record of method calls, "<method> <arguments>" each.
    [[nodiscard]] std::vector<std::string> calls() const;

    // Replaces a method of org.freedesktop.login1.Manager with Python `code`, which the mock
    // runs for each call (set `ret`, or raise dbus.exceptions.DBusException).
    bool replaceMethod(const std::string &name, const std::string &inSignature, const std::string &outSignature,
                       const std::string &code);

private:
    std::string m_log;
    std::unique_ptr<PeerProcess> m_daemon;
    std::unique_ptr<PeerProcess> m_logind;
    std::string m_address;
    std::unique_ptr<ScopedEnv> m_env;
};

} // namespace orvane::test
