// SPDX-License-Identifier: MIT
#include "platform/linux/syslogeventlog.h"

#include "text/cp1252.h"

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace orvane {

namespace {

constexpr int kFacilityUser = 1;

int severityOf(std::uint16_t eventType)
{
    switch (eventType) {
    case 1: // error
        return 3;
    case 2: // warning
        return 4;
    default: // information, audit success and failure
        return 6;
    }
}

} // namespace

SyslogEventLog::SyslogEventLog(std::string socketPath)
    : m_socketPath(std::move(socketPath))
{
}

EventSourceHandle SyslogEventLog::registerEventSource(const std::string &sourceName)
{
    if (m_socketPath.size() >= sizeof(sockaddr_un::sun_path)) {
        return kNoEventSource;
    }
    // Unconnected: each line is addressed on its own, so a log daemon that starts (or
    // restarts) later still gets the lines that follow.
    FileDescriptor socket(::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (!socket.valid()) {
        return kNoEventSource;
    }
    const EventSourceHandle handle = m_nextHandle++;
    m_sources.emplace(handle, Source{std::move(socket), cp1252ToUtf8(sourceName)});
    return handle;
}

bool SyslogEventLog::reportEvent(EventSourceHandle source, std::uint16_t type, std::uint16_t, std::uint32_t,
                                 const std::string &text)
{
    const auto found = m_sources.find(source);
    if (found == m_sources.end()) {
        return false;
    }
    const int priority = kFacilityUser * 8 + severityOf(type);
    const std::string datagram = "<" + std::to_string(priority) + ">" + found->second.tag + "["
        + std::to_string(::getpid()) + "]: " + cp1252ToUtf8(text);

    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, m_socketPath.c_str(), m_socketPath.size() + 1);
    const ssize_t sent =
        ::sendto(found->second.socket.get(), datagram.data(), datagram.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
                 reinterpret_cast<const sockaddr *>(&address), sizeof address);
    return sent == static_cast<ssize_t>(datagram.size());
}

void SyslogEventLog::deregisterEventSource(EventSourceHandle source)
{
    m_sources.erase(source);
}

} // namespace orvane
