// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

using TokenHandle = std::intptr_t;
inline constexpr TokenHandle kNoToken = 0;

inline constexpr std::uint32_t kTokenAdjustPrivileges = 0x20;
inline constexpr std::uint32_t kTokenQuery = 0x08;
inline constexpr std::uint32_t kSePrivilegeEnabled = 2;
inline constexpr std::uint32_t kEwxShutdown = 1;
inline constexpr std::uint32_t kEwxReboot = 2;
inline constexpr std::uint32_t kEwxForce = 4;
inline constexpr std::uint32_t kEwxPowerOff = 8;
inline constexpr std::string_view kShutdownPrivilege = "SeShutdownPrivilege";

// The operating system's power calls. Every call reports failure through its result and
// nothing else; none of them throws.
class PowerApi
{
public:
    virtual ~PowerApi() = default;

    // True on a system that knows process tokens and privileges (the Windows NT family).
    [[nodiscard]] virtual bool hasPrivileges() const = 0;

    // The current process's token opened with `desiredAccess`, or kNoToken.
    [[nodiscard]] virtual TokenHandle openProcessToken(std::uint32_t desiredAccess) = 0;

    // The local identifier of the privilege `name` on the local system; false when unknown.
    [[nodiscard]] virtual bool lookupPrivilegeValue(const std::string &name, std::uint64_t &luid) = 0;

    // Sets one privilege's attributes in the token (never disables all others).
    virtual bool adjustTokenPrivileges(TokenHandle token, std::uint64_t luid, std::uint32_t attributes) = 0;

    // Asks the system to end the session or switch the computer off, as `flags` says.
    // True when the request was accepted.
    [[nodiscard]] virtual bool exitWindowsEx(std::uint32_t flags, std::uint32_t reason) = 0;

    // Asks the system to hibernate (or to suspend, with `hibernate` false). True when the
    // request was accepted.
    virtual bool setSuspendState(bool hibernate, bool force, bool disableWakeEvents) = 0;

    // Why the last request failed, as the system words it (Windows-1252).
    [[nodiscard]] virtual std::string lastErrorText() const { return "the system refused the request"; }
};

// What became of a power request: accepted, or why not.
struct PowerOutcome
{
    bool accepted = false;
    std::string reason;
};

// Grants the process the right to shut the computer down, where the system has such a
// right; elsewhere it does nothing. Failures stop it silently.
void EnableShutdownPrivilege(PowerApi &power);

// EnableShutdownPrivilege, then the shutdown request with `flags` (the watch passes
// kEwxShutdown | kEwxForce). True when the system accepted the request.
bool ShutDownWindows(PowerApi &power, std::uint32_t flags);

// Asks for hibernation, forced, leaving wake events on; the outcome says whether the
// system accepted it and, when not, why.
PowerOutcome HibernateComputer(PowerApi &power);

} // namespace orvane
