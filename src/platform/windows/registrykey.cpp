// SPDX-License-Identifier: MIT
#include "platform/windows/registrykey.h"

#include <utility>
#include <windows.h>

namespace orvane {

namespace {

HKEY native(std::intptr_t key)
{
    return reinterpret_cast<HKEY>(key);
}

} // namespace

RegistryKey RegistryKey::open(std::intptr_t parent, const std::string &path, std::uint32_t access)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(native(parent), path.c_str(), 0, access, &key) != ERROR_SUCCESS) {
        return RegistryKey(0);
    }
    return RegistryKey(reinterpret_cast<std::intptr_t>(key));
}

RegistryKey RegistryKey::create(std::intptr_t parent, const std::string &path, std::uint32_t access)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(native(parent), path.c_str(), 0, nullptr, 0, access, nullptr, &key, nullptr)
        != ERROR_SUCCESS) {
        return RegistryKey(0);
    }
    return RegistryKey(reinterpret_cast<std::intptr_t>(key));
}

RegistryKey::RegistryKey(RegistryKey &&other) noexcept
    : m_key(std::exchange(other.m_key, 0))
{
}

RegistryKey &RegistryKey::operator=(RegistryKey &&other) noexcept
{
    if (this != &other) {
        if (m_key != 0) {
            ::RegCloseKey(native(m_key));
        }
        m_key = std::exchange(other.m_key, 0);
    }
    return *this;
}

RegistryKey::~RegistryKey()
{
    if (m_key != 0) {
        ::RegCloseKey(native(m_key));
    }
}

bool RegistryKey::setString(const std::string &name, const std::string &data) const
{
    return ::RegSetValueExA(native(m_key), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(data.c_str()),
                            static_cast<DWORD>(data.size() + 1))
        == ERROR_SUCCESS;
}

bool RegistryKey::setDword(const std::string &name, std::uint32_t data) const
{
    const DWORD value = data;
    return ::RegSetValueExA(native(m_key), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value),
                            sizeof value)
        == ERROR_SUCCESS;
}

bool RegistryKey::deleteValue(const std::string &name) const
{
    return ::RegDeleteValueA(native(m_key), name.c_str()) == ERROR_SUCCESS;
}

} // namespace orvane
