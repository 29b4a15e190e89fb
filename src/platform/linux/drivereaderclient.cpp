// SPDX-License-Identifier: MIT
#include "platform/linux/drivereaderclient.h"

#include "platform/linux/writefully.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef ORVANE_INSTALLED_DRIVE_READER
#define ORVANE_INSTALLED_DRIVE_READER "/usr/libexec/orvane/orvane-drive-reader"
#endif
#ifndef ORVANE_DRIVE_READER_FROM_BINDIR
#define ORVANE_DRIVE_READER_FROM_BINDIR "../libexec/orvane"
#endif

namespace orvane {

namespace {

constexpr const char *kReaderName = "orvane-drive-reader";

// Writes to a pipe whose reader may have died without letting SIGPIPE end this program: the
// signal is blocked for the write and a pending one is taken back.
bool writeAll(int fd, std::span<const std::uint8_t> bytes)
{
    sigset_t pipeSignal, old;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &old);
    const bool written = writeFully(fd, bytes);
    const timespec now{0, 0};
    while (sigtimedwait(&pipeSignal, nullptr, &now) == SIGPIPE) { }
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    return written;
}

// Reads `buffer` full before `deadline`. False at the end of the input, on an error or when
// the time is up.
bool readAll(int fd, std::span<std::uint8_t> buffer, std::chrono::steady_clock::time_point deadline)
{
    std::size_t done = 0;
    while (done < buffer.size()) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(std::max<std::int64_t>(left.count(), 0)));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return false;
        }
        const ssize_t n = ::read(fd, buffer.data() + done, buffer.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

DriveReaderClient::DriveReaderClient(std::string program, int replyTimeoutMs)
    : m_program(std::move(program))
    , m_timeoutMs(replyTimeoutMs)
{
}

DriveReaderClient::~DriveReaderClient()
{
    stop(false);
}

bool DriveReaderClient::start()
{
    int toChild[2], fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0) {
        m_lastError = m_program + ": " + std::strerror(errno);
        return false;
    }
    FileDescriptor childIn(toChild[0]), parentOut(toChild[1]);
    if (::pipe2(fromChild, O_CLOEXEC) != 0) {
        m_lastError = m_program + ": " + std::strerror(errno);
        return false;
    }
    FileDescriptor parentIn(fromChild[0]), childOut(fromChild[1]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, childIn.get(), 0);
    posix_spawn_file_actions_adddup2(&actions, childOut.get(), 1);
    char name[] = "orvane-drive-reader";
    char *argv[] = {name, nullptr};
    char *envp[] = {nullptr};
    const int error = ::posix_spawn(&m_pid, m_program.c_str(), &actions, nullptr, argv, envp);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        m_pid = -1;
        m_lastError = m_program + ": " + std::strerror(error);
        return false;
    }
    m_toReader = std::move(parentOut);
    m_fromReader = std::move(parentIn);
    return true;
}

void DriveReaderClient::stop(bool kill)
{
    // Closing its input ends the reader; one that no longer listens is ended outright.
    (void)m_toReader.close();
    (void)m_fromReader.close();
    if (m_pid > 0) {
        if (kill) {
            ::kill(m_pid, SIGKILL);
        }
        while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) { }
        m_pid = -1;
    }
}

std::optional<ReaderReply> DriveReaderClient::fail(const std::string &why)
{
    m_lastError = m_program + ": " + why;
    stop(true);
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> DriveReaderClient::readReply()
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_timeoutMs);
    std::array<std::uint8_t, kReaderFrameHeaderSize> header{};
    if (!readAll(m_fromReader.get(), header, deadline)) {
        return std::nullopt;
    }
    const std::uint32_t length = frameLength(header);
    if (length > kMaxReaderReplySize) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> body(length);
    if (!readAll(m_fromReader.get(), body, deadline)) {
        return std::nullopt;
    }
    return body;
}

std::optional<ReaderReply> DriveReaderClient::exchange(std::span<const std::uint8_t> request)
{
    m_lastError.clear();
    if (m_pid < 0 && !start()) {
        return std::nullopt;
    }
    if (!writeAll(m_toReader.get(), frameMessage(request))) {
        return fail("stopped before the request");
    }
    const std::optional<std::vector<std::uint8_t>> body = readReply();
    if (!body) {
        return fail("gave no reply");
    }
    std::optional<ReaderReply> reply = decodeReaderReply(*body);
    if (!reply) {
        return fail("gave a malformed reply");
    }
    return reply;
}

std::string findDriveReader()
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        for (const std::filesystem::path &dir :
             {self.parent_path(), self.parent_path() / ORVANE_DRIVE_READER_FROM_BINDIR}) {
            const std::filesystem::path candidate = dir / kReaderName;
            if (::access(candidate.c_str(), X_OK) == 0) {
                return candidate.lexically_normal().string();
            }
        }
    }
    return ORVANE_INSTALLED_DRIVE_READER;
}

} // namespace orvane
