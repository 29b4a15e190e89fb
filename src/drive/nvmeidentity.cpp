// SPDX-License-Identifier: MIT
#include "drive/nvmeidentity.h"

#include "drive/attrreading.h"
#include "drive/identity.h"

#include <algorithm>
#include <cstdio>

namespace orvane {

std::uint16_t nvmeWord(std::span<const std::uint8_t> data, std::size_t offset)
{
    return static_cast<std::uint16_t>(data[offset] | (data[offset + 1] << 8));
}

std::uint32_t nvmeDword(std::span<const std::uint8_t> data, std::size_t offset)
{
    return nvmeWord(data, offset) | (static_cast<std::uint32_t>(nvmeWord(data, offset + 2)) << 16);
}

std::string nvmeText(NvmeIdentify identify, std::size_t offset, std::size_t length)
{
    const auto first = identify.begin() + static_cast<std::ptrdiff_t>(offset);
    const auto last = first + static_cast<std::ptrdiff_t>(length);
    return std::string(first, std::find(first, last, 0));
}

std::string kelvinText(std::uint32_t kelvin)
{
    return kelvin == 0 ? std::string("N/A") : temperatureText(static_cast<std::int32_t>(kelvin) - 273);
}

std::string nvmeModel(NvmeIdentify identify)
{
    return nvmeText(identify, kNvmeModelOffset, kNvmeModelLength);
}

void listNvmeIdentityRows(ReportList &diskInfo, NvmeIdentify identify, std::uint8_t drive, bool healthSupported)
{
    char vendor[8];
    std::snprintf(vendor, sizeof vendor, "0x%04X", static_cast<unsigned>(nvmeWord(identify, kNvmeVendorIdOffset)));
    // VER: major version in bits 31-16, minor in bits 15-8.
    const std::uint32_t version = nvmeDword(identify, kNvmeVersionOffset);
    const std::string versionText = std::to_string(version >> 16) + "." + std::to_string((version >> 8) & 0xFF);

    AddDiskInfoRow(diskInfo, "NVMe " + std::to_string(drive), healthSupported ? "Health log supported" : "");
    AddDiskInfoRow(diskInfo, "Model number", nvmeModel(identify));
    AddDiskInfoRow(diskInfo, "Firmware rev", nvmeText(identify, kNvmeFirmwareOffset, kNvmeFirmwareLength));
    AddDiskInfoRow(diskInfo, "Serial number", nvmeText(identify, kNvmeSerialOffset, kNvmeSerialLength));
    AddDiskInfoRow(diskInfo, "PCI Vendor ID", vendor);
    AddDiskInfoRow(diskInfo, "NVMe Version", versionText);
    AddDiskInfoRow(diskInfo, "Warning Comp. Temp. Threshold", kelvinText(nvmeWord(identify, kNvmeWarningTempOffset)));
    AddDiskInfoRow(diskInfo, "Critical Comp. Temp. Threshold", kelvinText(nvmeWord(identify, kNvmeCriticalTempOffset)));
    AddDiskInfoRow(diskInfo, "Namespaces", std::to_string(nvmeDword(identify, kNvmeNamespacesOffset)));
}

} // namespace orvane
