// SPDX-License-Identifier: MIT
#pragma once

// The system's own words for the file errors the settings code quotes, and a file that
// exists but cannot be opened, on Linux and on Windows.

#include <filesystem>
#include <stdexcept>
#include <string>
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace orvane::test {

#ifdef _WIN32
// The system's own text for an error code, as the settings code quotes it.
inline std::string windowsErrorText(DWORD code)
{
    char text[512] = {};
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, sizeof text,
                     nullptr);
    std::string message(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
        message.pop_back();
    }
    return message;
}
inline std::string noSuchFileText()
{
    return windowsErrorText(ERROR_FILE_NOT_FOUND);
}
inline std::string folderAsFileText()
{
    return windowsErrorText(ERROR_ACCESS_DENIED);
}

// A file at `path` that exists but cannot be opened: another handle holds it without
// sharing, as an editor or a virus scanner may.
class UnreadableFile
{
public:
    explicit UnreadableFile(const std::filesystem::path &path)
        : m_handle(::CreateFileA(path.string().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr))
    {
        if (m_handle == INVALID_HANDLE_VALUE) {
            throw std::runtime_error("cannot hold " + path.string());
        }
    }
    ~UnreadableFile() { ::CloseHandle(m_handle); }
    UnreadableFile(const UnreadableFile &) = delete;
    UnreadableFile &operator=(const UnreadableFile &) = delete;
    [[nodiscard]] static std::string reason() { return windowsErrorText(ERROR_SHARING_VIOLATION); }

private:
    HANDLE m_handle;
};
#else
inline std::string noSuchFileText()
{
    return "No such file or directory";
}
inline std::string folderAsFileText()
{
    return "Is a directory";
}

// A file at `path` that exists but cannot be opened, even by root: a link to itself.
class UnreadableFile
{
public:
    explicit UnreadableFile(const std::filesystem::path &path)
        : m_path(path)
    {
        std::filesystem::create_symlink(path.filename(), path);
    }
    ~UnreadableFile()
    {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    UnreadableFile(const UnreadableFile &) = delete;
    UnreadableFile &operator=(const UnreadableFile &) = delete;
    [[nodiscard]] static std::string reason() { return "Too many levels of symbolic links"; }

private:
    std::filesystem::path m_path;
};
#endif

} // namespace orvane::test
