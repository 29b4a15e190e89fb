// SPDX-License-Identifier: MIT
#pragma once

#include "monitor/eventlogapi.h"
#include "platform/linux/filedescriptor.h"

#include <map>
#include <string>

namespace orvane {

// The system log as the event log: each event is one RFC 3164 datagram
// "<PRI>Source[pid]: text" (facility user; information, warning or error as the event's
// type says; text in UTF-8) sent to a Unix datagram socket, /dev/log unless told
// otherwise. Registration only opens a socket, so it succeeds whether or not a log daemon
// listens; a write never blocks, and a missing or full socket drops the line.
class SyslogEventLog : public EventLogApi
{
public:
    explicit SyslogEventLog(std::string socketPath = "/dev/log");

    SyslogEventLog(const SyslogEventLog &) = delete;
    SyslogEventLog &operator=(const SyslogEventLog &) = delete;

    [[nodiscard]] EventSourceHandle registerEventSource(const std::string &sourceName) override;
    bool reportEvent(EventSourceHandle source, std::uint16_t type, std::uint16_t category, std::uint32_t eventId,
                     const std::string &text) override;
    void deregisterEventSource(EventSourceHandle source) override;

private:
    struct Source
    {
        FileDescriptor socket;
        std::string tag; // UTF-8
    };

    std::string m_socketPath;
    std::map<EventSourceHandle, Source> m_sources; // sockets close with their entries
    EventSourceHandle m_nextHandle = 1;
};

// Linux keeps no registry entry for a log source: the key always counts as present, so
// nothing is created or written.
class NoEventSourceRegistry : public EventSourceRegistry
{
public:
    [[nodiscard]] bool openKey(const std::string &) override { return true; }
    [[nodiscard]] bool createKey(const std::string &) override { return false; }
    void writeSourceValues(const std::string &, std::uint32_t) override { }
};

} // namespace orvane
