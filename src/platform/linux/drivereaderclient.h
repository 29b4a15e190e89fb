// SPDX-License-Identifier: MIT
#pragma once

#include "drive/readerprotocol.h"
#include "platform/linux/filedescriptor.h"

#include <optional>
#include <string>
#include <sys/types.h>

namespace orvane {

// The way to the privileged drive reader, as the drive back-end sees it.
class DriveReaderLink
{
public:
    virtual ~DriveReaderLink() = default;

    // Sends one request body and waits for the reply. Nothing when the reader cannot be
    // started or gave no well-formed reply in time; lastError() then says why.
    [[nodiscard]] virtual std::optional<ReaderReply> exchange(std::span<const std::uint8_t> request) = 0;
    [[nodiscard]] virtual const std::string &lastError() const = 0;
};

// Runs orvane-drive-reader as a child over two pipes (its standard input and output),
// started at the first request and kept for the next; closing the pipes ends it. A reader
// that broke the conversation (died, hung, answered nonsense) is ended and started anew at
// the next request.
class DriveReaderClient : public DriveReaderLink
{
public:
    // `replyTimeoutMs` bounds the wait for one reply: longer than the drive's own limit on a
    // command, so that a disk spinning up is not taken for a hung reader.
    explicit DriveReaderClient(std::string program, int replyTimeoutMs = 30000);
    ~DriveReaderClient() override;
    DriveReaderClient(const DriveReaderClient &) = delete;
    DriveReaderClient &operator=(const DriveReaderClient &) = delete;

    std::optional<ReaderReply> exchange(std::span<const std::uint8_t> request) override;
    const std::string &lastError() const override { return m_lastError; }

private:
    bool start();
    void stop(bool kill);
    std::optional<std::vector<std::uint8_t>> readReply();
    std::optional<ReaderReply> fail(const std::string &why);

    std::string m_program;
    int m_timeoutMs;
    pid_t m_pid = -1;
    FileDescriptor m_toReader;
    FileDescriptor m_fromReader;
    std::string m_lastError;
};

// Where the drive reader is: beside the running program (a build folder), else in the
// installed libexec folder as seen from the program's folder (bin/../libexec/orvane), else
// in the libexec folder of the configured prefix.
[[nodiscard]] std::string findDriveReader();

} // namespace orvane
