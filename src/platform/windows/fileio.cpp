// SPDX-License-Identifier: MIT
// The settings file on Windows: ReadFile for loading; for saving a temporary file that is
// written, flushed to the disk and moved over the old one.
#include "settings/fileio.h"

#include "core/orvaneerror.h"

#include <algorithm>
#include <windows.h>

namespace orvane {
namespace {

// Owns one file handle.
class FileHandle
{
public:
    explicit FileHandle(HANDLE handle)
        : m_handle(handle)
    {
    }
    ~FileHandle() { close(); }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;

    [[nodiscard]] bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    [[nodiscard]] HANDLE get() const { return m_handle; }
    bool close()
    {
        const bool ok = !valid() || ::CloseHandle(m_handle) != FALSE;
        m_handle = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE m_handle;
};

std::string systemErrorText(DWORD error)
{
    char text[512] = {};
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, sizeof text,
                     nullptr);
    std::string message(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
        message.pop_back();
    }
    return message;
}

[[noreturn]] void cannotOpen(const std::filesystem::path &path, DWORD error)
{
    throw OrvaneError("Cannot open file \"" + messagePath(path) + "\". " + systemErrorText(error));
}

[[noreturn]] void cannotCreate(const std::filesystem::path &path, DWORD error)
{
    throw OrvaneError("Cannot create file \"" + messagePath(path) + "\". " + systemErrorText(error));
}

} // namespace

std::string readWholeFile(const std::filesystem::path &path, std::uintmax_t maxBytes)
{
    FileHandle file(::CreateFileA(path.string().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        cannotOpen(path, ::GetLastError());
    }
    // Only a file on a disk: never a pipe, a console or a device.
    LARGE_INTEGER size{};
    if (::GetFileType(file.get()) != FILE_TYPE_DISK || !::GetFileSizeEx(file.get(), &size)) {
        throw OrvaneError("Cannot open file \"" + messagePath(path) + "\". Not a regular file");
    }
    if (static_cast<std::uintmax_t>(size.QuadPart) > maxBytes) {
        cannotOpen(path, ERROR_FILE_TOO_LARGE);
    }
    std::string text;
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) {
            cannotOpen(path, ::GetLastError());
        }
        if (got == 0) {
            return text;
        }
        text.append(chunk, got);
        if (text.size() > maxBytes) {
            cannotOpen(path, ERROR_FILE_TOO_LARGE);
        }
    }
}

void replaceFileAtomically(const std::filesystem::path &path, std::string_view bytes)
{
    std::filesystem::path temporary = path;
    temporary += ".new-" + std::to_string(::GetCurrentProcessId());
    FileHandle file(::CreateFileA(temporary.string().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        cannotCreate(path, ::GetLastError());
    }
    DWORD error = ERROR_SUCCESS;
    while (!bytes.empty() && error == ERROR_SUCCESS) {
        DWORD written = 0;
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        if (!::WriteFile(file.get(), bytes.data(), piece, &written, nullptr)) {
            error = ::GetLastError();
        }
        bytes.remove_prefix(written);
    }
    if (error == ERROR_SUCCESS && !::FlushFileBuffers(file.get())) {
        error = ::GetLastError();
    }
    if (!file.close() && error == ERROR_SUCCESS) {
        error = ::GetLastError();
    }
    if (error == ERROR_SUCCESS
        && !::MoveFileExA(temporary.string().c_str(), path.string().c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = ::GetLastError();
    }
    if (error != ERROR_SUCCESS) {
        ::DeleteFileA(temporary.string().c_str());
        cannotCreate(path, error);
    }
}

std::filesystem::path moveFileAside(const std::filesystem::path &path)
{
    if (::GetFileAttributesA(path.string().c_str()) == INVALID_FILE_ATTRIBUTES) {
        return {};
    }
    for (int n = 0; n < 100; ++n) {
        std::filesystem::path backup = path;
        backup += n == 0 ? std::string(".bak") : ".bak." + std::to_string(n);
        if (::MoveFileExA(path.string().c_str(), backup.string().c_str(), MOVEFILE_WRITE_THROUGH)) {
            return backup;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            cannotCreate(backup, ::GetLastError());
        }
    }
    cannotCreate(path, ERROR_ALREADY_EXISTS);
}

} // namespace orvane
