// SPDX-License-Identifier: MIT
#include "text/pathtext.h"

#include "text/cp1252.h"

namespace orvane {

std::string messagePath(const std::filesystem::path &path)
{
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    if (error) {
        full = path;
    }
    const std::u8string utf8 = full.lexically_normal().u8string();
    return utf8ToCp1252(std::string(utf8.begin(), utf8.end()));
}

} // namespace orvane
