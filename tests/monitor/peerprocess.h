// SPDX-License-Identifier: MIT
#pragma once

// Helpers for the tests that run against real peers: a child process with a pipe on its
// standard output, and scoped environment variables.

#include "support/scratchdir.h"
#include "support/waitfor.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace orvane::test {

// Sets an environment variable (or unsets it, with nullopt) for the life of the object.
class ScopedEnv
{
public:
    ScopedEnv(std::string name, const std::optional<std::string> &value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

// A child process. Its standard input and output are pipes to us; its standard error goes
// to a file so that a failed start can say why. Destruction closes its input, sends
// SIGTERM, and SIGKILL if it has not ended after two seconds.
class PeerProcess
{
public:
    // Starts argv[0] (a full path) with the current environment plus `env`. Yields nothing,
    // and the reason in `error`, when it cannot be started.
    static std::unique_ptr<PeerProcess> start(const std::vector<std::string> &argv,
                                              const std::vector<std::pair<std::string, std::string>> &env,
                                              const std::string &stderrFile, std::string &error);
    ~PeerProcess();

    // The next line of its output, without the line break; nothing when the process
    // ends or `timeout` passes first.
    [[nodiscard]] std::optional<std::string> readLine(std::chrono::milliseconds timeout);

    [[nodiscard]] bool running();

private:
    PeerProcess() = default;

    pid_t m_pid = -1;
    int m_stdin = -1;
    int m_stdout = -1;
    std::string m_buffered;
};

// The whole content of a file, or nothing when it cannot be read.
[[nodiscard]] std::optional<std::string> readFile(const std::string &path);
void writeFile(const std::string &path, const std::string &content);

} // namespace orvane::test
