// SPDX-License-Identifier: MIT
#include "platform/windows/runvalue.h"

#include "platform/windows/modulepath.h"
#include "platform/windows/registrykey.h"

#include <windows.h>

namespace orvane {

namespace {

RegistryKey openRunKey(std::intptr_t root)
{
    return RegistryKey::create(root, std::string(kRunKeyPath.substr(1)), KEY_ALL_ACCESS);
}

} // namespace

WindowsRunValue::WindowsRunValue(std::intptr_t root, std::string executable)
    : m_root(root != 0 ? root : reinterpret_cast<std::intptr_t>(HKEY_CURRENT_USER))
    , m_executable(executable.empty() ? ModulePath() : std::move(executable))
{
}

bool WindowsRunValue::write(const std::string &)
{
    const RegistryKey key = openRunKey(m_root);
    return key.valid() && key.setString(std::string(kRunValueName), RunValueData(m_executable));
}

void WindowsRunValue::remove()
{
    const RegistryKey key = openRunKey(m_root);
    if (key.valid()) {
        key.deleteValue(std::string(kRunValueName));
    }
}

std::string RunValueData(const std::string &executable)
{
    return "\"" + executable + "\"";
}

} // namespace orvane
