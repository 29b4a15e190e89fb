// SPDX-License-Identifier: MIT
#pragma once

namespace orvane {

// Makes standard output and standard error carry bytes unchanged: a "\n" stays one byte
// on every system (Windows would write CR LF), so a report or a recording made on one
// system is byte for byte the one made on another.
void UseBinaryStandardStreams();

} // namespace orvane
