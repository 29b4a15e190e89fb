// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// A registered event source as the platform hands it out; kNoEventSource when refused.
using EventSourceHandle = std::intptr_t;
inline constexpr EventSourceHandle kNoEventSource = 0;

inline constexpr std::uint16_t kEventLogInformationType = 4;

// The system's event log: register a source, report events under it, let it go. Windows
// writes the application event log; Linux writes the system log.
class EventLogApi
{
public:
    virtual ~EventLogApi() = default;

    // Registers `sourceName` on the local computer. Yields kNoEventSource when the system
    // refuses it.
    [[nodiscard]] virtual EventSourceHandle registerEventSource(const std::string &sourceName) = 0;

    // Writes one event carrying the single insertion string `text` (Windows-1252). Yields
    // false when the event was not written; it never blocks for long.
    virtual bool reportEvent(EventSourceHandle source, std::uint16_t type, std::uint16_t category,
                             std::uint32_t eventId, const std::string &text) = 0;

    // Releases a handle that registerEventSource gave out.
    virtual void deregisterEventSource(EventSourceHandle source) = 0;
};

// The registry entry that tells the event viewer where the source's message texts live
// (a key under HKEY_LOCAL_MACHINE). Platforms without such an entry report the key as
// present, so nothing is ever written there.
class EventSourceRegistry
{
public:
    virtual ~EventSourceRegistry() = default;

    // True when the key `keyPath` exists and can be opened (it is closed again at once).
    [[nodiscard]] virtual bool openKey(const std::string &keyPath) = 0;

    // Creates the key; false when that fails.
    [[nodiscard]] virtual bool createKey(const std::string &keyPath) = 0;

    // Opens the key and writes "EventMessageFile" (the running executable's full path) and
    // "TypesSupported" = `typesSupported`, then closes it. Failures are not reported.
    virtual void writeSourceValues(const std::string &keyPath, std::uint32_t typesSupported) = 0;
};

} // namespace orvane
