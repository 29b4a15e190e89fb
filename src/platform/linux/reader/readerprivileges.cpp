// SPDX-License-Identifier: MIT
#include "platform/linux/reader/readerprivileges.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace orvane {

namespace {

constexpr std::uint64_t bit(int capability)
{
    return std::uint64_t{1} << capability;
}

constexpr std::uint64_t kKept = bit(CAP_DAC_READ_SEARCH) | bit(CAP_SYS_RAWIO) | bit(CAP_SYS_ADMIN);

struct CapabilitySets
{
    std::uint64_t effective = 0;
    std::uint64_t permitted = 0;
    std::uint64_t inheritable = 0;
};

// glibc has no wrappers for these two; libcap would be a whole library for four lines.
bool getCapabilities(CapabilitySets &sets)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (::syscall(SYS_capget, &header, data) != 0) {
        return false;
    }
    sets.effective = data[0].effective | std::uint64_t{data[1].effective} << 32;
    sets.permitted = data[0].permitted | std::uint64_t{data[1].permitted} << 32;
    sets.inheritable = data[0].inheritable | std::uint64_t{data[1].inheritable} << 32;
    return true;
}

bool setCapabilities(const CapabilitySets &sets)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    data[0] = {static_cast<std::uint32_t>(sets.effective), static_cast<std::uint32_t>(sets.permitted),
               static_cast<std::uint32_t>(sets.inheritable)};
    data[1] = {static_cast<std::uint32_t>(sets.effective >> 32), static_cast<std::uint32_t>(sets.permitted >> 32),
               static_cast<std::uint32_t>(sets.inheritable >> 32)};
    return ::syscall(SYS_capset, &header, data) == 0;
}

int capabilityNumber(ReaderCapability capability)
{
    switch (capability) {
    case ReaderCapability::ReadDevice:
        return CAP_DAC_READ_SEARCH;
    case ReaderCapability::RawIo:
        return CAP_SYS_RAWIO;
    case ReaderCapability::NvmeAdmin:
        return CAP_SYS_ADMIN;
    }
    return CAP_SYS_RAWIO;
}

} // namespace

bool enterReaderSandbox()
{
    // Nothing the starting user set may steer the reader: no locale, no paths, no variables.
    if (::clearenv() != 0 || ::close_range(3, ~0U, 0) != 0) {
        return false;
    }
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) {
        return false;
    }
    CapabilitySets sets;
    if (!getCapabilities(sets)) {
        return false;
    }
    return setCapabilities({0, sets.permitted & kKept, 0});
}

RaisedCapability::RaisedCapability(ReaderCapability capability)
{
    CapabilitySets sets;
    const std::uint64_t wanted = bit(capabilityNumber(capability));
    if (!getCapabilities(sets) || (sets.permitted & wanted) == 0) {
        return;
    }
    sets.effective |= wanted;
    m_raised = setCapabilities(sets);
}

RaisedCapability::~RaisedCapability()
{
    CapabilitySets sets;
    if (m_raised && getCapabilities(sets)) {
        sets.effective = 0;
        if (!setCapabilities(sets)) {
            // A capability that cannot be lowered again must not stay in a running reader.
            std::abort();
        }
    }
}

} // namespace orvane
