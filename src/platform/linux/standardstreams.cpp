// SPDX-License-Identifier: MIT
#include "platform/standardstreams.h"

namespace orvane {

// POSIX streams never translate line ends.
void UseBinaryStandardStreams() { }

} // namespace orvane
