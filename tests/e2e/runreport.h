// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace orvane::test {

struct Outcome
{
    int status;
    std::string out; // standard output and standard error
};

#ifdef _WIN32
// cmd.exe runs the command and wants the program as a Windows path: a cross-built test
// knows it as the build machine's path, which Wine shows as drive Z:.
inline std::string reportProgram()
{
    std::string path = ORVANE_REPORT;
    if (path.starts_with('/')) {
        path = "Z:" + path;
    }
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
inline FILE *openPipe(const std::string &command)
{
    return ::_popen(command.c_str(), "rb");
}
inline int closePipe(FILE *pipe)
{
    return ::_pclose(pipe);
}
#else
inline std::string reportProgram()
{
    return ORVANE_REPORT;
}
inline FILE *openPipe(const std::string &command)
{
    return ::popen(command.c_str(), "r");
}
inline int closePipe(FILE *pipe)
{
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

// Runs the built orvane-report with `arguments` (passed through the shell); `redirection`
// says where its output goes, by default into `out` with its standard error.
inline Outcome runReport(const std::string &arguments, const std::string &redirection = "2>&1")
{
    const std::string command = reportProgram() + " " + arguments + " " + redirection;
    Outcome result{-1, {}};
    FILE *pipe = openPipe(command);
    if (!pipe) {
        return result;
    }
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        result.out.append(buffer.data(), n);
    }
    result.status = closePipe(pipe);
    return result;
}

} // namespace orvane::test
