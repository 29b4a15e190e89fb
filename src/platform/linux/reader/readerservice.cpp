// SPDX-License-Identifier: MIT
#include "platform/linux/reader/readerservice.h"

#include "platform/linux/writefully.h"

#include <array>
#include <cerrno>
#include <unistd.h>

namespace orvane {

namespace {

// Reads until `buffer` is full. Yields the bytes read: fewer at the end of the input, or -1
// when the input could not be read.
ssize_t readFully(int fd, std::span<std::uint8_t> buffer)
{
    std::size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t n = ::read(fd, buffer.data() + done, buffer.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return -1;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

} // namespace

ReaderReply answerReaderRequest(ReaderDisks &disks, std::span<const std::uint8_t> body)
{
    const std::optional<ReaderRequest> request = decodeReaderRequest(body);
    if (!request) {
        return {ReaderStatus::Refused, 0, {}};
    }
    ReaderDisks::Opened opened = disks.open(request->drive);
    if (!opened.disk) {
        return {opened.status, opened.error, {}};
    }
    if (request->type == ReaderMessageType::OpenCheck) {
        return {ReaderStatus::Done, 0, {}};
    }
    int error = 0;
    if (request->type == ReaderMessageType::NvmeCommand) {
        std::vector<std::uint8_t> data(nvmeDataSize(request->nvme), 0);
        if (!opened.disk->nvmeCommand(request->nvme, data, error)) {
            return {ReaderStatus::CommandFailed, error, {}};
        }
        return {ReaderStatus::Done, 0, std::move(data)};
    }
    SectorBytes sector{};
    if (!opened.disk->ataCommand(request->ata, sector, error)) {
        return {ReaderStatus::CommandFailed, error, {}};
    }
    ReaderReply reply{ReaderStatus::Done, 0, {}};
    if (request->ata.dataIn()) {
        reply.data.assign(sector.begin(), sector.end());
    }
    return reply;
}

ReaderExit serveReader(int in, int out, ReaderDisks &disks)
{
    for (;;) {
        std::array<std::uint8_t, kReaderFrameHeaderSize> header{};
        const ssize_t got = readFully(in, header);
        if (got == 0) {
            return ReaderExit::ParentClosed;
        }
        if (got != static_cast<ssize_t>(header.size())) {
            return ReaderExit::Truncated;
        }
        const std::uint32_t length = frameLength(header);
        if (length == 0 || length > kMaxReaderRequestSize) {
            return ReaderExit::TooLong;
        }
        std::array<std::uint8_t, kMaxReaderRequestSize> body{};
        const auto request = std::span<std::uint8_t>(body.data(), length);
        if (readFully(in, request) != static_cast<ssize_t>(length)) {
            return ReaderExit::Truncated;
        }
        const std::vector<std::uint8_t> reply = frameMessage(encodeReaderReply(answerReaderRequest(disks, request)));
        if (!writeFully(out, reply)) {
            return ReaderExit::WriteFailed;
        }
    }
}

const char *readerExitMessage(ReaderExit exit)
{
    switch (exit) {
    case ReaderExit::ParentClosed:
        return "";
    case ReaderExit::Truncated:
        return "the input ended inside a request";
    case ReaderExit::TooLong:
        return "a request of a size no request has; stopped reading";
    case ReaderExit::WriteFailed:
        return "the reply could not be written";
    }
    return "";
}

} // namespace orvane
