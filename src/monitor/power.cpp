// SPDX-License-Identifier: MIT
#include "monitor/power.h"

namespace orvane {

void EnableShutdownPrivilege(PowerApi &power)
{
    if (!power.hasPrivileges()) {
        return;
    }
    const TokenHandle token = power.openProcessToken(kTokenAdjustPrivileges | kTokenQuery);
    if (token == kNoToken) {
        return;
    }
    std::uint64_t luid = 0;
    if (!power.lookupPrivilegeValue(std::string(kShutdownPrivilege), luid)) {
        return;
    }
    (void)power.adjustTokenPrivileges(token, luid, kSePrivilegeEnabled);
}

bool ShutDownWindows(PowerApi &power, std::uint32_t flags)
{
    EnableShutdownPrivilege(power);
    return power.exitWindowsEx(flags, 0);
}

PowerOutcome HibernateComputer(PowerApi &power)
{
    if (!power.setSuspendState(true, true, false)) {
        return {false, power.lastErrorText()};
    }
    return {true, {}};
}

} // namespace orvane
