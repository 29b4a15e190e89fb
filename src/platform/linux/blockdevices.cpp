// SPDX-License-Identifier: MIT
#include "platform/linux/blockdevices.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace orvane {

namespace {

bool isDiskName(const std::string &name)
{
    const auto startsWith = [&](std::string_view prefix) { return name.starts_with(prefix); };
    if (startsWith("sd") || startsWith("hd") || startsWith("vd")) {
        // sda, hdb, vdaa: letters only; a digit would be a partition.
        return name.size() > 2
            && std::all_of(name.begin() + 2, name.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    }
    if (startsWith("nvme")) {
        // nvme0n1 is a namespace (a disk); nvme0n1p1 a partition, nvme0c0n1 a hidden path.
        return name.find('p', 4) == std::string::npos && name.find('c', 4) == std::string::npos
            && name.find('n', 4) != std::string::npos;
    }
    return false;
}

std::string firstLine(const std::filesystem::path &file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

} // namespace

std::vector<BlockDevice> wholeDisks(const std::string &sysBlock)
{
    std::vector<BlockDevice> disks;
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator(sysBlock, ec)) {
        const std::string name = entry.path().filename().string();
        if (!isDiskName(name)) {
            continue;
        }
        // The old IDE driver names packet devices hdX too; it says which in "media".
        const bool atapi = name.starts_with("hd") && firstLine(entry.path() / "media") == "cdrom";
        disks.push_back({name, atapi, name.starts_with("nvme")});
    }
    std::sort(disks.begin(), disks.end(), [](const BlockDevice &a, const BlockDevice &b) { return a.name < b.name; });
    return disks;
}

} // namespace orvane
