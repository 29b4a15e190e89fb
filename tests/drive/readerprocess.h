// SPDX-License-Identifier: MIT
#pragma once

// Running the drive reader as a process in the tests: its disks, and a user without rights.
#include "drive/readerprotocol.h"
#include "support/scratchdir.h"

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <sys/types.h>
#include <unistd.h>
#include <vector>

namespace orvane::test {

// A fake /sys/block and /dev in a fresh folder, removed when it goes. It is the current
// directory meanwhile: the tests' drive reader (test-drive-reader, the same program as
// orvane-drive-reader) serves the block/ and dev/ of the folder it starts in.
class ReaderRoot
{
public:
    ReaderRoot();

    // A whole disk in block/ with `node` as its device file: "file" (a regular file),
    // "none", "block" (a block device: the loop device 7,0) or "link" (a link to a block device).
    // False when the kind cannot be made here (making a device needs CAP_MKNOD).
    bool addDisk(const std::string &name, const std::string &node, mode_t mode = 0644);

    [[nodiscard]] std::string block() const { return (m_scratch / "block").string(); }
    [[nodiscard]] std::string dev() const { return (m_scratch / "dev").string(); }

private:
    ScratchDir m_scratch;
    std::unique_ptr<InDirectory> m_inside;
};

// Runs as an ordinary user (uid 65534) while it lives, when the tests run as root.
class Unprivileged
{
public:
    Unprivileged();
    ~Unprivileged();
    Unprivileged(const Unprivileged &) = delete;
    Unprivileged &operator=(const Unprivileged &) = delete;

private:
    bool m_switched = false;
};

// The bodies, each framed, one after the other: what the reader reads from its pipe.
[[nodiscard]] std::vector<std::uint8_t> readerFrames(std::initializer_list<std::vector<std::uint8_t>> bodies);

// The replies in what the reader wrote (an undecodable body counts as a default reply);
// `leftOver` gets the bytes at the end that make no whole frame.
[[nodiscard]] std::vector<ReaderReply> readerReplies(const std::vector<std::uint8_t> &output,
                                                     std::size_t *leftOver = nullptr);

// What one run of a program gave: its exit status, standard output and standard error.
struct ProgramRun
{
    int status = -1;
    std::vector<std::uint8_t> out;
    std::string err;
};

// Runs `argv` with `input` on its standard input (written to a file first: nothing waits).
[[nodiscard]] ProgramRun runProgram(const std::vector<std::string> &argv, const std::vector<std::uint8_t> &input);

} // namespace orvane::test
