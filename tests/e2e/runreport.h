#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace orvane::test {

struct Outcome
{
    int status;
    std::string out; // standard output and standard error
};

// Runs the built orvane-report with `arguments` (passed through the shell); `redirection`
// says where its output goes, by default into `out` with its standard error.
inline Outcome runReport(const std::string &arguments, const std::string &redirection = "2>&1")
{
    const std::string command = std::string(ORVANE_REPORT) + " " + arguments + " " + redirection;
    Outcome result{-1, {}};
    FILE *pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        return result;
    }
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        result.out.append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

} // namespace orvane::test
