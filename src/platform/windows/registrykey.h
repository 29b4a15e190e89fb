// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace orvane {

// Owns one open registry key and closes it with RegCloseKey. Keys are named by their
// parent (a root such as HKEY_CURRENT_USER, as an integer so that this header needs no
// <windows.h>) and a path below it; texts are in the ANSI code page.
class RegistryKey
{
public:
    // RegOpenKeyExA; an invalid key when it fails.
    [[nodiscard]] static RegistryKey open(std::intptr_t parent, const std::string &path, std::uint32_t access);
    // RegCreateKeyExA (no class, option 0): opens the key, creating it when missing.
    [[nodiscard]] static RegistryKey create(std::intptr_t parent, const std::string &path, std::uint32_t access);

    RegistryKey(RegistryKey &&other) noexcept;
    RegistryKey &operator=(RegistryKey &&other) noexcept;
    RegistryKey(const RegistryKey &) = delete;
    RegistryKey &operator=(const RegistryKey &) = delete;
    ~RegistryKey();

    [[nodiscard]] bool valid() const { return m_key != 0; }
    [[nodiscard]] std::intptr_t get() const { return m_key; }

    // A REG_SZ value, stored with its terminating zero byte. False when not written.
    [[nodiscard]] bool setString(const std::string &name, const std::string &data) const;
    // A REG_DWORD value. False when not written.
    [[nodiscard]] bool setDword(const std::string &name, std::uint32_t data) const;
    // RegDeleteValueA; false when there was nothing to delete or it failed.
    bool deleteValue(const std::string &name) const;

private:
    explicit RegistryKey(std::intptr_t key)
        : m_key(key)
    {
    }
    std::intptr_t m_key = 0;
};

} // namespace orvane
