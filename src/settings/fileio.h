#pragma once

#include "text/pathtext.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace orvane {

// Whole-file reads and writes for the settings file. Failures throw OrvaneError with the
// user-visible texts `Cannot open file "<full path>". <system error text>` and
// `Cannot create file "<full path>". <system error text>`. The operating system's calls
// live in the platform's own file (src/platform/<os>/fileio.cpp); this header is all the rest sees.

// The file's bytes, unchanged.
[[nodiscard]] std::string readWholeFile(const std::filesystem::path &path);

// Replaces the file's content with `bytes` so that it is either the old or the new
// content, never a mix or a truncated file: the bytes go to a temporary file in the same
// directory, are flushed to the disk, and the temporary file is renamed over `path`. On
// any failure the old file stays as it was and the temporary file is removed. A path that
// is a symbolic link keeps being one: the file it points to is replaced.
void replaceFileAtomically(const std::filesystem::path &path, std::string_view bytes);

} // namespace orvane
