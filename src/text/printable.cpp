// SPDX-License-Identifier: MIT
#include "text/printable.h"

namespace orvane {

std::string printableText(std::string_view utf8)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x20 || byte == 0x7F) {
            out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
        } else if (byte == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0
                   && static_cast<unsigned char>(utf8[i + 1]) >= 0x80) {
            const auto c1 = static_cast<unsigned char>(utf8[++i]);
            out += {'\\', 'u', '0', '0', kHex[c1 >> 4], kHex[c1 & 15]};
        } else {
            out += utf8[i];
        }
    }
    return out;
}

} // namespace orvane
