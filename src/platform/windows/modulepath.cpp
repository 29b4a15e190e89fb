// SPDX-License-Identifier: MIT
#include "platform/windows/modulepath.h"

#include <windows.h>

namespace orvane {

std::string ModulePath()
{
    // The call cuts the name to the buffer and says so only through the length: grow it
    // until the whole path fits (the system's limit is 32767 characters).
    std::string path(MAX_PATH, '\0');
    while (path.size() <= 32768) {
        const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
    return {};
}

std::string ModuleFolder()
{
    const std::string path = ModulePath();
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace orvane
