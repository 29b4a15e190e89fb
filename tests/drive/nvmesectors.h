// SPDX-License-Identifier: MIT
#pragma once

#include "drive/nvmestructs.h"

#include <cstdint>
#include <string>

namespace orvane::test {

// Hand-made NVMe data: little-endian numbers and blank-filled ASCII, as a drive sends them.
template<std::size_t N>
void putLe(std::array<std::uint8_t, N> &data, std::size_t offset, std::uint64_t value, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i) {
        data[offset + i] = static_cast<std::uint8_t>(i < 8 ? value >> (8 * i) : 0);
    }
}

inline void putText(NvmeIdentifyData &data, std::size_t offset, std::size_t length, const std::string &text)
{
    for (std::size_t i = 0; i < length; ++i) {
        data[offset + i] = static_cast<std::uint8_t>(i < text.size() ? text[i] : ' ');
    }
}

// A controller with every field the reports show set to a value of its own: PCI vendor
// 144Dh, NVMe 1.3, warning at 358 K (85 C), critical at 363 K (90 C), one namespace.
inline NvmeIdentifyData identifyController()
{
    NvmeIdentifyData d{};
    putLe(d, 0, 0x144D, 2); // VID
    putText(d, 4, 20, "S467NX0M123456A");
    putText(d, 24, 40, "Samsung SSD 970 EVO 1TB");
    putText(d, 64, 8, "2B2QEXE7");
    putLe(d, 80, 0x00010300, 4); // VER 1.3.0
    putLe(d, 266, 358, 2); // WCTEMP 85 C
    putLe(d, 268, 363, 2); // CCTEMP 90 C
    putLe(d, 516, 1, 4); // NN
    return d;
}

// A healthy log: 38 C, spare 100 % (threshold 10 %), 2 % used, small counters.
inline NvmeHealthLog healthLog()
{
    NvmeHealthLog h{};
    putLe(h, 1, 311, 2);
    h[3] = 100;
    h[4] = 10;
    h[5] = 2;
    putLe(h, 32, 1000, 16);
    putLe(h, 48, 2000, 16);
    putLe(h, 64, 3000, 16);
    putLe(h, 80, 4000, 16);
    putLe(h, 96, 50, 16);
    putLe(h, 112, 60, 16);
    putLe(h, 128, 70, 16);
    putLe(h, 144, 8, 16);
    putLe(h, 160, 0, 16);
    putLe(h, 176, 9, 16);
    putLe(h, 192, 11, 4);
    putLe(h, 196, 12, 4);
    return h;
}

} // namespace orvane::test
