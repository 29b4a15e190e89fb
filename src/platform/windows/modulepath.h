// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace orvane {

// The running executable's full path (GetModuleFileNameA), in the ANSI code page; empty
// when the system cannot say. Paths longer than MAX_PATH are read whole.
[[nodiscard]] std::string ModulePath();

// The folder of the running executable, with a trailing backslash; empty when unknown.
[[nodiscard]] std::string ModuleFolder();

} // namespace orvane
