// SPDX-License-Identifier: MIT
#pragma once

#include "monitor/power.h"

namespace orvane {

// Power requests through systemd-logind on the system D-Bus (DBUS_SYSTEM_BUS_ADDRESS when
// set): a shutdown is PowerOff(false), a hibernation Hibernate(false); false means "do not
// ask the user for a password", so an unauthorised request fails instead of waiting. Linux
// has no privilege to enable. Each call opens the bus, waits at most a few seconds for
// logind's answer and closes it again; a missing bus or a refusal yields false, and
// lastErrorText gives logind's error message or the bus's reason. Before a hibernation or
// a suspend logind is asked whether the computer can do it at all ("na": not available,
// "no": not allowed).
class LogindPower : public PowerApi
{
public:
    [[nodiscard]] bool hasPrivileges() const override { return false; }
    [[nodiscard]] TokenHandle openProcessToken(std::uint32_t) override { return kNoToken; }
    [[nodiscard]] bool lookupPrivilegeValue(const std::string &, std::uint64_t &) override { return false; }
    bool adjustTokenPrivileges(TokenHandle, std::uint64_t, std::uint32_t) override { return false; }

    // kEwxShutdown or kEwxPowerOff: PowerOff; kEwxReboot: Reboot; ending the session alone
    // is not offered here.
    [[nodiscard]] bool exitWindowsEx(std::uint32_t flags, std::uint32_t reason) override;

    // CanHibernate, then Hibernate; or CanSuspend, then Suspend when `hibernate` is false.
    bool setSuspendState(bool hibernate, bool force, bool disableWakeEvents) override;

    [[nodiscard]] std::string lastErrorText() const override { return m_lastError; }

private:
    bool callManager(const char *method);

    std::string m_lastError;
};

} // namespace orvane
