// SPDX-License-Identifier: MIT
#include "monitor/fisnteventlog.h"

namespace orvane {

TfisNTEventLog::TfisNTEventLog(EventLogApi &api, EventSourceRegistry &registry)
    : m_api(api)
    , m_registry(registry)
{
}

TfisNTEventLog::~TfisNTEventLog()
{
    if (m_handle != kNoEventSource) {
        m_api.deregisterEventSource(m_handle);
    }
}

void TfisNTEventLog::setAppName(const std::string &name)
{
    if (name != m_appName) {
        m_appName = name;
    }
}

void TfisNTEventLog::RegisterSource()
{
    RegisterApplication();
    const EventSourceHandle handle = m_api.registerEventSource(m_appName);
    if (handle == kNoEventSource) {
        m_enabled = false;
        throw ENTLogError(std::string(kUnableToRegisterEventSource));
    }
    // A second registration replaces the first; the old source is let go rather than leaked.
    if (m_handle != kNoEventSource) {
        m_api.deregisterEventSource(m_handle);
    }
    m_handle = handle;
    m_enabled = true;
}

void TfisNTEventLog::RegisterApplication()
{
    const std::string keyPath = std::string(kEventSourceKeyPrefix) + m_appName;
    if (m_registry.openKey(keyPath)) {
        return; // values already there stay, whatever executable they name
    }
    if (!m_registry.createKey(keyPath)) {
        throw ENTLogError(std::string(kUnableToRegisterApplication));
    }
    m_registry.writeSourceValues(keyPath, kTypesSupported);
}

void TfisNTEventLog::WriteEvent(const std::string &text)
{
    if (!m_enabled) {
        return;
    }
    (void)m_api.reportEvent(m_handle, kEventLogInformationType, 0, kInformationEventId, text);
}

std::optional<std::string> RegisterSourceOrExplain(TfisNTEventLog &eventLog)
{
    try {
        eventLog.RegisterSource();
    } catch (const ENTLogError &error) {
        return std::string(error.what()) + std::string(kEventLogStaysOff);
    }
    return std::nullopt;
}

} // namespace orvane
