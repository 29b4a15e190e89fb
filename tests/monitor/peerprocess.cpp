// SPDX-License-Identifier: MIT
#include "peerprocess.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace orvane::test {

ScopedEnv::ScopedEnv(std::string name, const std::optional<std::string> &value)
    : m_name(std::move(name))
{
    if (const char *old = std::getenv(m_name.c_str())) {
        m_old = old;
    }
    if (value) {
        ::setenv(m_name.c_str(), value->c_str(), 1);
    } else {
        ::unsetenv(m_name.c_str());
    }
}

ScopedEnv::~ScopedEnv()
{
    if (m_old) {
        ::setenv(m_name.c_str(), m_old->c_str(), 1);
    } else {
        ::unsetenv(m_name.c_str());
    }
}

std::unique_ptr<PeerProcess> PeerProcess::start(const std::vector<std::string> &argv,
                                                const std::vector<std::pair<std::string, std::string>> &env,
                                                const std::string &stderrFile, std::string &error)
{
    if (::access(argv.at(0).c_str(), X_OK) != 0) {
        error = argv[0] + " is not there (" + std::strerror(errno) + ")";
        return nullptr;
    }
    std::map<std::string, std::string> merged;
    for (char **entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const auto equals = text.find('=');
        merged[text.substr(0, equals)] = equals == std::string::npos ? "" : text.substr(equals + 1);
    }
    for (const auto &[name, value] : env) {
        merged[name] = value;
    }
    std::vector<std::string> envText;
    for (const auto &[name, value] : merged) {
        envText.push_back(name + "=" + value);
    }
    std::vector<char *> envp;
    for (std::string &text : envText) {
        envp.push_back(text.data());
    }
    envp.push_back(nullptr);
    std::vector<std::string> args = argv;
    std::vector<char *> argp;
    for (std::string &arg : args) {
        argp.push_back(arg.data());
    }
    argp.push_back(nullptr);

    int in[2];
    int out[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        return nullptr;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::unique_ptr<PeerProcess> process(new PeerProcess);
    const int spawned = ::posix_spawn(&process->m_pid, argp[0], &actions, nullptr, argp.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    process->m_stdin = in[1];
    process->m_stdout = out[0];
    if (spawned != 0) {
        process->m_pid = -1;
        error = argv[0] + ": " + std::strerror(spawned);
        return nullptr;
    }
    return process;
}

PeerProcess::~PeerProcess()
{
    if (m_stdin >= 0) {
        ::close(m_stdin);
    }
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        const bool ended =
            waitFor([this] { return ::waitpid(m_pid, nullptr, WNOHANG) == m_pid; }, std::chrono::milliseconds(2000));
        if (!ended) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    if (m_stdout >= 0) {
        ::close(m_stdout);
    }
}

std::optional<std::string> PeerProcess::readLine(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto lineEnd = m_buffered.find('\n');
        if (lineEnd != std::string::npos) {
            std::string line = m_buffered.substr(0, lineEnd);
            m_buffered.erase(0, lineEnd + 1);
            return line;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return std::nullopt;
        }
        pollfd wait{m_stdout, POLLIN, 0};
        if (::poll(&wait, 1, static_cast<int>(left.count())) <= 0) {
            continue;
        }
        char buffer[512];
        const ssize_t got = ::read(m_stdout, buffer, sizeof buffer);
        if (got <= 0) {
            return std::nullopt;
        }
        m_buffered.append(buffer, static_cast<std::size_t>(got));
    }
}

bool PeerProcess::running()
{
    if (m_pid <= 0) {
        return false;
    }
    if (::waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
        m_pid = -1; // reaped: the destructor must not signal a number that may be reused
        return false;
    }
    return true;
}

std::optional<std::string> readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string &path, const std::string &content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

} // namespace orvane::test
