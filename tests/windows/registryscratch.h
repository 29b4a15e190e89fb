// SPDX-License-Identifier: MIT
#pragma once

// A registry key of the test's own under HKEY_CURRENT_USER, removed with everything below
// it, and small readers for what the back-ends wrote.

#include <cstdint>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <windows.h>

namespace orvane::test {

class ScratchKey
{
public:
    ScratchKey()
    {
        std::random_device seed;
        m_path = "Software\\OrvaneTest\\" + std::to_string(std::mt19937_64(seed())());
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key,
                              nullptr)
            != ERROR_SUCCESS) {
            throw std::runtime_error("cannot create HKCU\\" + m_path);
        }
    }
    ~ScratchKey()
    {
        ::RegCloseKey(m_key);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
    }
    ScratchKey(const ScratchKey &) = delete;
    ScratchKey &operator=(const ScratchKey &) = delete;

    [[nodiscard]] std::intptr_t root() const { return reinterpret_cast<std::intptr_t>(m_key); }
    [[nodiscard]] HKEY key() const { return m_key; }

private:
    std::string m_path;
    HKEY m_key = nullptr;
};

// A key below `parent` that exists only in memory: the registry refuses to create a lasting
// key below it (ERROR_CHILD_MUST_BE_VOLATILE), as HKEY_LOCAL_MACHINE refuses an ordinary
// user. Closed when destroyed; it goes with its parent.
class RefusingKey
{
public:
    explicit RefusingKey(HKEY parent)
    {
        if (::RegCreateKeyExA(parent, "volatile", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &m_key,
                              nullptr)
            != ERROR_SUCCESS) {
            throw std::runtime_error("cannot create a volatile key");
        }
    }
    ~RefusingKey() { ::RegCloseKey(m_key); }
    RefusingKey(const RefusingKey &) = delete;
    RefusingKey &operator=(const RefusingKey &) = delete;

    [[nodiscard]] std::intptr_t root() const { return reinterpret_cast<std::intptr_t>(m_key); }
    [[nodiscard]] HKEY key() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// One value as stored: its type and its bytes.
struct StoredValue
{
    DWORD type = 0;
    std::string bytes;
};

inline std::optional<StoredValue> readValue(HKEY root, const std::string &keyPath, const std::string &name)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    StoredValue value;
    char data[2048];
    DWORD size = sizeof data;
    const LONG status =
        ::RegQueryValueExA(key, name.c_str(), nullptr, &value.type, reinterpret_cast<BYTE *>(data), &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.bytes.assign(data, size);
    return value;
}

inline bool keyExists(HKEY root, const std::string &keyPath)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

} // namespace orvane::test
