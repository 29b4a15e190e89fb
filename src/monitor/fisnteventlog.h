// SPDX-License-Identifier: MIT
#pragma once

#include "core/orvaneerror.h"
#include "monitor/eventlogapi.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orvane {

// Raised when the event source cannot be registered; carries the user-visible text.
class ENTLogError : public OrvaneError
{
public:
    using OrvaneError::OrvaneError;
};

inline constexpr std::string_view kUnableToRegisterApplication = "Unable to register application.";
inline constexpr std::string_view kUnableToRegisterEventSource = "Unable to register event source.";
inline constexpr std::string_view kEventSourceKeyPrefix =
    "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\";
inline constexpr std::uint32_t kTypesSupported = 7; // error, warning and information
inline constexpr std::uint32_t kInformationEventId = 0x40020001;

// The program's writer to the system event log. It starts unregistered; RegisterSource
// makes it Enabled, and from then on every WriteEvent writes one information event. Until
// then, and after a failed registration, writes are dropped without a word. The source is
// released when the writer is destroyed.
class TfisNTEventLog
{
public:
    TfisNTEventLog(EventLogApi &api, EventSourceRegistry &registry);
    ~TfisNTEventLog();

    TfisNTEventLog(const TfisNTEventLog &) = delete;
    TfisNTEventLog &operator=(const TfisNTEventLog &) = delete;

    [[nodiscard]] bool Enabled() const { return m_enabled; }

    [[nodiscard]] const std::string &AppName() const { return m_appName; }
    void setAppName(const std::string &name);

    // RegisterApplication, then registers the event source under AppName. Throws
    // ENTLogError when either step fails; Enabled is then false.
    void RegisterSource();

    // Makes sure the source's registry key exists: an existing key is left as it is,
    // a missing one is created and filled. Throws ENTLogError when it cannot be created.
    void RegisterApplication();

    // One information event with `text` as its only string, when Enabled. Never throws.
    void WriteEvent(const std::string &text);

private:
    EventLogApi &m_api;
    EventSourceRegistry &m_registry;
    std::string m_appName;
    EventSourceHandle m_handle = kNoEventSource;
    bool m_enabled = false;
};

// What start-up adds to the log line when the event source cannot be registered.
inline constexpr std::string_view kEventLogStaysOff = " The system event log stays off.";

// Start-up's registration. Registering the source writes under HKEY_LOCAL_MACHINE on the
// first run, which an ordinary user may not do; that must not stop the program from
// starting nor cost it its log. So a refusal does not propagate: the writer stays off
// (later writes are dropped) and the returned text, the error's message followed by
// kEventLogStaysOff, is for the Log page. Nothing is returned when the source is registered.
[[nodiscard]] std::optional<std::string> RegisterSourceOrExplain(TfisNTEventLog &eventLog);

} // namespace orvane
