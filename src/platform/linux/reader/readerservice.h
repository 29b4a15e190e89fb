// SPDX-License-Identifier: MIT
#pragma once

#include "platform/linux/reader/readerdisks.h"

namespace orvane {

// The answer to one request body: a request that does not decode, or names a command outside
// the allow-list, is refused before any disk is opened. Every request opens its disk and
// closes it again, so nothing is kept from one request to the next.
[[nodiscard]] ReaderReply answerReaderRequest(ReaderDisks &disks, std::span<const std::uint8_t> body);

// Why the reader stopped serving.
enum class ReaderExit {
    ParentClosed, // the input ended between two requests: the normal end
    Truncated, // the input ended inside a request, or could not be read
    TooLong, // a frame announced more than kMaxReaderRequestSize bytes (or none)
    WriteFailed, // the reply could not be written: nobody listens any more
};

// Reads framed requests from `in` and writes one framed reply for each to `out` until the
// input ends or breaks the framing. A frame that is too long is never read: the reader
// stops at its header.
[[nodiscard]] ReaderExit serveReader(int in, int out, ReaderDisks &disks);

// One line for standard error, or empty for the normal end.
[[nodiscard]] const char *readerExitMessage(ReaderExit exit);

} // namespace orvane
