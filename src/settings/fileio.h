// SPDX-License-Identifier: MIT
#pragma once

#include "text/pathtext.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace orvane {

// Whole-file reads and writes for the settings file. Failures throw OrvaneError with the
// user-visible texts `Cannot open file "<full path>". <system error text>` and
// `Cannot create file "<full path>". <system error text>`. The operating system's calls
// live in the platform's own file (src/platform/<os>/fileio.cpp); this header is all the rest sees.

// The largest file the program reads whole (config.xml, readme.txt): many times what a real
// one holds, small enough that a hostile file cannot exhaust the memory.
inline constexpr std::uintmax_t kMaxReadBytes = 1u << 20;

// The file's bytes, unchanged. Only a regular file of at most `maxBytes` is read: a
// directory fails with "Is a directory", a larger file with "File too large", a pipe, a
// device or a socket with "Not a regular file" (never waiting for a writer). A link is
// followed.
[[nodiscard]] std::string readWholeFile(const std::filesystem::path &path, std::uintmax_t maxBytes = kMaxReadBytes);

// Replaces the file's content with `bytes` so that it is either the old or the new
// content, never a mix or a truncated file: the bytes go to a temporary file in the same
// directory, are flushed to the disk, and the temporary file is renamed over `path`. On
// any failure the old file stays as it was and the temporary file is removed. The new file
// keeps the old one's owner, group and mode.
//
// Only a regular file is ever replaced: a directory, a pipe, a device or a socket at
// `path` fails the save. A symbolic link is followed only when it belongs to the user the
// program runs as or to root, and its target is a regular file or missing; the link stays
// a link and its target is written (created when missing). A link of anyone else fails the
// save, so a link planted in a shared folder cannot redirect a save as root.
//
// When the folder refuses the temporary file (a read-only folder around a writable file),
// or the owner cannot be kept, the file is rewritten in place and flushed instead; only
// when that fails too is the save reported as failed.
void replaceFileAtomically(const std::filesystem::path &path, std::string_view bytes);

// Moves the file at `path` (the target of a link there, under the rules above) aside to a
// free name beside it: "<name>.bak", else "<name>.bak.1" and so on. Returns the new name,
// or an empty path when there was no file. Throws `Cannot create file ...` on failure.
[[nodiscard]] std::filesystem::path moveFileAside(const std::filesystem::path &path);

} // namespace orvane
