// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace orvane {

// The whole drive reader: enters its sandbox, then serves the requests on standard input
// with the disks under the two folders until the input ends. Yields the exit status: 0
// when the parent closed the pipe, 1 otherwise (with one line on standard error).
[[nodiscard]] int runDriveReader(const std::string &sysBlock, const std::string &devDir);

} // namespace orvane
