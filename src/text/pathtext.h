// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>

namespace orvane {

// A file's name as the program's messages show it: made absolute against the current
// directory and converted to Windows-1252 like every text inside the program. Never
// throws: a path that cannot be made absolute is shown as given.
[[nodiscard]] std::string messagePath(const std::filesystem::path &path);

} // namespace orvane
