// SPDX-License-Identifier: MIT
#pragma once

#include "monitor/eventlogapi.h"

#include <string>

namespace orvane {

// The application event log: RegisterEventSourceA on the local computer, ReportEventA and
// DeregisterEventSource as they are. A handle given out here is the system's own.
class WindowsEventLog : public EventLogApi
{
public:
    [[nodiscard]] EventSourceHandle registerEventSource(const std::string &sourceName) override;
    bool reportEvent(EventSourceHandle source, std::uint16_t type, std::uint16_t category, std::uint32_t eventId,
                     const std::string &text) override;
    void deregisterEventSource(EventSourceHandle source) override;
};

// The event source's key under HKEY_LOCAL_MACHINE, which tells Event Viewer that the
// message texts live in this executable. Writing there needs administrator rights.
class WindowsEventSourceRegistry : public EventSourceRegistry
{
public:
    // `root` is HKEY_LOCAL_MACHINE; tests hand in a key of their own. `messageFile` is
    // the executable that carries the message table (the running one when empty).
    explicit WindowsEventSourceRegistry(std::intptr_t root = 0, std::string messageFile = {});

    [[nodiscard]] bool openKey(const std::string &keyPath) override;
    [[nodiscard]] bool createKey(const std::string &keyPath) override;
    void writeSourceValues(const std::string &keyPath, std::uint32_t typesSupported) override;

private:
    std::intptr_t m_root;
    std::string m_messageFile;
};

} // namespace orvane
