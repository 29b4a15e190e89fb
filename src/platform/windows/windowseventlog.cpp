// SPDX-License-Identifier: MIT
#include "platform/windows/windowseventlog.h"

#include "platform/windows/modulepath.h"
#include "platform/windows/registrykey.h"

#include <windows.h>

namespace orvane {

namespace {

HANDLE nativeSource(EventSourceHandle source)
{
    return reinterpret_cast<HANDLE>(source);
}

} // namespace

EventSourceHandle WindowsEventLog::registerEventSource(const std::string &sourceName)
{
    const HANDLE source = ::RegisterEventSourceA(nullptr, sourceName.c_str());
    return source == nullptr ? kNoEventSource : reinterpret_cast<EventSourceHandle>(source);
}

bool WindowsEventLog::reportEvent(EventSourceHandle source, std::uint16_t type, std::uint16_t category,
                                  std::uint32_t eventId, const std::string &text)
{
    const char *strings[] = {text.c_str()};
    return ::ReportEventA(nativeSource(source), type, category, eventId, nullptr, 1, 0, strings, nullptr) != FALSE;
}

void WindowsEventLog::deregisterEventSource(EventSourceHandle source)
{
    ::DeregisterEventSource(nativeSource(source));
}

WindowsEventSourceRegistry::WindowsEventSourceRegistry(std::intptr_t root, std::string messageFile)
    : m_root(root != 0 ? root : reinterpret_cast<std::intptr_t>(HKEY_LOCAL_MACHINE))
    , m_messageFile(messageFile.empty() ? ModulePath() : std::move(messageFile))
{
}

bool WindowsEventSourceRegistry::openKey(const std::string &keyPath)
{
    return RegistryKey::open(m_root, keyPath, KEY_READ).valid();
}

bool WindowsEventSourceRegistry::createKey(const std::string &keyPath)
{
    return RegistryKey::create(m_root, keyPath, KEY_WRITE).valid();
}

void WindowsEventSourceRegistry::writeSourceValues(const std::string &keyPath, std::uint32_t typesSupported)
{
    const RegistryKey key = RegistryKey::open(m_root, keyPath, KEY_SET_VALUE);
    if (!key.valid()) {
        return;
    }
    (void)key.setString("EventMessageFile", m_messageFile);
    (void)key.setDword("TypesSupported", typesSupported);
}

} // namespace orvane
