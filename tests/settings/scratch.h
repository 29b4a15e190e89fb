#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
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

namespace fs = std::filesystem;

// A fresh directory under the system's temporary folder, removed with its content.
class ScratchDir
{
public:
    ScratchDir()
    {
        // A random name made by us, as Windows has no mkdtemp; create_directory refuses a
        // name that exists, so a clash only costs another try.
        std::random_device seed;
        std::mt19937_64 random(seed());
        for (int attempt = 0; attempt < 100; ++attempt) {
            const fs::path candidate = fs::temp_directory_path() / ("orvane-settings-" + std::to_string(random()));
            if (fs::create_directory(candidate)) {
                m_path = candidate;
                return;
            }
        }
        throw std::runtime_error("no scratch folder could be made");
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    [[nodiscard]] fs::path operator/(const std::string &name) const { return m_path / name; }
    [[nodiscard]] const fs::path &path() const { return m_path; }

private:
    fs::path m_path;
};

// Switches LC_NUMERIC to a German locale (decimal comma), built into `dir` where the system
// needs that; false when this system has none.
inline bool useGermanNumbers(const fs::path &dir)
{
#ifdef _WIN32
    (void)dir;
    return std::setlocale(LC_NUMERIC, "German_Germany.1252") != nullptr;
#else
    const std::string build = "localedef -i de_DE -f UTF-8 " + (dir / "de_DE.UTF-8").string() + " >/dev/null 2>&1";
    if (std::system(build.c_str()) != 0) {
        return false;
    }
    ::setenv("LOCPATH", dir.c_str(), 1);
    return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
#endif
}

// Back to the "C" numbers after useGermanNumbers.
inline void useCNumbers()
{
    std::setlocale(LC_NUMERIC, "C");
#ifndef _WIN32
    ::unsetenv("LOCPATH");
#endif
}

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
    explicit UnreadableFile(const fs::path &path)
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
    explicit UnreadableFile(const fs::path &path)
        : m_path(path)
    {
        fs::create_symlink(path.filename(), path);
    }
    ~UnreadableFile()
    {
        std::error_code ignored;
        fs::remove(m_path, ignored);
    }
    UnreadableFile(const UnreadableFile &) = delete;
    UnreadableFile &operator=(const UnreadableFile &) = delete;
    [[nodiscard]] static std::string reason() { return "Too many levels of symbolic links"; }

private:
    fs::path m_path;
};
#endif

// Makes `dir` the current directory until destroyed.
class InDirectory
{
public:
    explicit InDirectory(const fs::path &dir)
        : m_previous(fs::current_path())
    {
        fs::current_path(dir);
    }
    ~InDirectory() { fs::current_path(m_previous); }

private:
    fs::path m_previous;
};

inline std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const fs::path &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// The names of the files in `dir`, sorted.
inline std::string listDir(const fs::path &dir)
{
    std::set<std::string> sorted;
    for (const auto &entry : fs::directory_iterator(dir)) {
        sorted.insert(entry.path().filename().string());
    }
    std::string names;
    for (const auto &name : sorted) {
        names += name + " ";
    }
    return names;
}

} // namespace orvane::test
