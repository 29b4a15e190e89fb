// SPDX-License-Identifier: MIT
#include "platform/standardstreams.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace orvane {

void UseBinaryStandardStreams()
{
    std::fflush(stdout);
    std::fflush(stderr);
    // A failure leaves the stream in text mode: the output is still complete, with CR LF.
    (void)::_setmode(::_fileno(stdout), _O_BINARY);
    (void)::_setmode(::_fileno(stderr), _O_BINARY);
}

} // namespace orvane
