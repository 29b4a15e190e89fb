// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <stdexcept>
#include <string>

namespace orvane::test {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder ($TMPDIR or /tmp; %TEMP% on Windows),
// removed with everything in it. Every test that needs files makes its own.
class ScratchDir
{
public:
    ScratchDir()
    {
        // A random name of our own, as Windows has no mkdtemp; create_directory refuses a
        // name that exists, so a clash only costs another try.
        std::random_device seed;
        std::mt19937_64 random(seed());
        for (int attempt = 0; attempt < 100; ++attempt) {
            const fs::path candidate = fs::temp_directory_path() / ("orvane-test-" + std::to_string(random()));
            if (fs::create_directory(candidate)) {
                m_path = candidate;
                return;
            }
        }
        throw std::runtime_error("no scratch folder could be made");
    }
    ScratchDir(const ScratchDir &) = delete;
    ScratchDir &operator=(const ScratchDir &) = delete;
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

inline std::string fileBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const fs::path &path, const std::string &bytes)
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
