// SPDX-License-Identifier: MIT
#include "platform/windows/windowspower.h"

#include <windows.h>
// powrprof.h needs windows.h first.
#include <powrprof.h>

namespace orvane {

WindowsPower::~WindowsPower()
{
    closeToken();
}

void WindowsPower::closeToken()
{
    if (m_token != kNoToken) {
        ::CloseHandle(reinterpret_cast<HANDLE>(m_token));
        m_token = kNoToken;
    }
}

bool WindowsPower::hasPrivileges() const
{
    // Every Windows this program builds for belongs to the NT family; a Windows 9x would
    // answer with the high bit of GetVersion set.
    return (::GetVersion() & 0x80000000u) == 0;
}

TokenHandle WindowsPower::openProcessToken(std::uint32_t desiredAccess)
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), desiredAccess, &token)) {
        return kNoToken;
    }
    closeToken();
    m_token = reinterpret_cast<TokenHandle>(token);
    return m_token;
}

bool WindowsPower::lookupPrivilegeValue(const std::string &name, std::uint64_t &luid)
{
    LUID value{};
    if (!::LookupPrivilegeValueA(nullptr, name.c_str(), &value)) {
        return false;
    }
    luid = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(value.HighPart)) << 32) | value.LowPart;
    return true;
}

bool WindowsPower::adjustTokenPrivileges(TokenHandle token, std::uint64_t luid, std::uint32_t attributes)
{
    TOKEN_PRIVILEGES wanted{};
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Luid.LowPart = static_cast<DWORD>(luid);
    wanted.Privileges[0].Luid.HighPart = static_cast<LONG>(luid >> 32);
    wanted.Privileges[0].Attributes = attributes;
    TOKEN_PRIVILEGES previous{};
    DWORD previousLength = 0;
    static_assert(sizeof(TOKEN_PRIVILEGES) == 16, "one privilege: count, identifier, attributes");
    return ::AdjustTokenPrivileges(reinterpret_cast<HANDLE>(token), FALSE, &wanted, sizeof previous, &previous,
                                   &previousLength)
        != FALSE;
}

bool WindowsPower::exitWindowsEx(std::uint32_t flags, std::uint32_t reason)
{
    return ::ExitWindowsEx(flags, reason) != FALSE;
}

bool WindowsPower::setSuspendState(bool hibernate, bool force, bool disableWakeEvents)
{
    return ::SetSuspendState(hibernate, force, disableWakeEvents) != FALSE;
}

} // namespace orvane
