// SPDX-License-Identifier: MIT
#include "readerprocess.h"

#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>

namespace orvane::test {

namespace fs = std::filesystem;

std::vector<std::uint8_t> readerFrames(std::initializer_list<std::vector<std::uint8_t>> bodies)
{
    std::vector<std::uint8_t> all;
    for (const std::vector<std::uint8_t> &body : bodies) {
        const std::vector<std::uint8_t> frame = frameMessage(body);
        all.insert(all.end(), frame.begin(), frame.end());
    }
    return all;
}

std::vector<ReaderReply> readerReplies(const std::vector<std::uint8_t> &output, std::size_t *leftOver)
{
    std::vector<ReaderReply> replies;
    std::size_t at = 0;
    while (at + kReaderFrameHeaderSize <= output.size()) {
        const std::uint32_t length = frameLength(
            std::span<const std::uint8_t, kReaderFrameHeaderSize>(output.data() + at, kReaderFrameHeaderSize));
        if (length > output.size() - at - kReaderFrameHeaderSize) {
            break;
        }
        const auto body = std::span<const std::uint8_t>(output).subspan(at + kReaderFrameHeaderSize, length);
        replies.push_back(decodeReaderReply(body).value_or(ReaderReply{}));
        at += kReaderFrameHeaderSize + length;
    }
    if (leftOver != nullptr) {
        *leftOver = output.size() - at;
    }
    return replies;
}

ReaderRoot::ReaderRoot()
{
    // Open to the ordinary user that some tests become.
    fs::permissions(m_scratch.path(), static_cast<fs::perms>(0755));
    fs::create_directories(m_scratch / "block");
    fs::create_directories(m_scratch / "dev");
    m_inside = std::make_unique<InDirectory>(m_scratch.path());
}

bool ReaderRoot::addDisk(const std::string &name, const std::string &node, mode_t mode)
{
    fs::create_directories(m_scratch.path() / "block" / name);
    const fs::path path = m_scratch.path() / "dev" / name;
    if (node == "file") {
        std::ofstream(path) << "not a disk";
    } else if (node == "block") {
        if (::mknod(path.c_str(), S_IFBLK | mode, makedev(7, 0)) != 0) {
            return false;
        }
    } else if (node == "link") {
        const fs::path target = m_scratch.path() / "dev" / (name + "-target");
        if (::mknod(target.c_str(), S_IFBLK | mode, makedev(7, 0)) != 0) {
            return false;
        }
        fs::create_symlink(target, path);
        return true;
    }
    if (node != "none") {
        fs::permissions(path, static_cast<fs::perms>(mode));
    }
    return true;
}

Unprivileged::Unprivileged()
{
    if (::geteuid() == 0) {
        if (::seteuid(65534) != 0) {
            throw std::runtime_error("seteuid failed");
        }
        m_switched = true;
    }
}

Unprivileged::~Unprivileged()
{
    if (m_switched && ::seteuid(0) != 0) {
        std::abort();
    }
}

ProgramRun runProgram(const std::vector<std::string> &argv, const std::vector<std::uint8_t> &input)
{
    const ScratchDir scratch;
    const fs::path in = scratch / "in", out = scratch / "out", err = scratch / "err";
    std::ofstream(in, std::ios::binary)
        .write(reinterpret_cast<const char *>(input.data()), static_cast<std::streamsize>(input.size()));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char *> args;
    for (const std::string &a : argv) {
        args.push_back(const_cast<char *>(a.c_str()));
    }
    args.push_back(nullptr);
    char *envp[] = {nullptr};
    ProgramRun run;
    pid_t pid = -1;
    if (::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp) == 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    std::ifstream outFile(out, std::ios::binary), errFile(err);
    run.out.assign(std::istreambuf_iterator<char>(outFile), {});
    run.err.assign(std::istreambuf_iterator<char>(errFile), {});
    return run;
}

} // namespace orvane::test
