// SPDX-License-Identifier: MIT
#pragma once

#include "monitor/power.h"

namespace orvane {

// The process token's privileges (advapi32), ExitWindowsEx (user32) and SetSuspendState
// (powrprof). The token opened last is held until the next one is opened or the back-end
// goes, so no handle is left behind.
class WindowsPower : public PowerApi
{
public:
    WindowsPower() = default;
    ~WindowsPower() override;
    WindowsPower(const WindowsPower &) = delete;
    WindowsPower &operator=(const WindowsPower &) = delete;

    [[nodiscard]] bool hasPrivileges() const override;
    [[nodiscard]] TokenHandle openProcessToken(std::uint32_t desiredAccess) override;
    [[nodiscard]] bool lookupPrivilegeValue(const std::string &name, std::uint64_t &luid) override;
    bool adjustTokenPrivileges(TokenHandle token, std::uint64_t luid, std::uint32_t attributes) override;
    [[nodiscard]] bool exitWindowsEx(std::uint32_t flags, std::uint32_t reason) override;
    bool setSuspendState(bool hibernate, bool force, bool disableWakeEvents) override;

private:
    void closeToken();
    TokenHandle m_token = kNoToken;
};

} // namespace orvane
