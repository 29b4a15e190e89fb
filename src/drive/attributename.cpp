// SPDX-License-Identifier: MIT
#include "drive/attributename.h"

#include <array>
#include <string_view>
#include <utility>

namespace orvane {

namespace {

constexpr std::size_t kNameWidth = 24;

// clang-format off
constexpr std::pair<std::uint8_t, std::string_view> kCatalogue[] = {
    {0x00, "No Attribute Here"},
    {0x01, "Raw Read Error Rate"},
    {0x02, "Throughput Performance"},
    {0x03, "Spin Up Time"},
    {0x04, "Start/Stop Count"},
    {0x05, "Reallocated Sector Count"},
    {0x06, "Read Channel Margin"},
    {0x07, "Seek Error Rate"},
    {0x08, "Seek Time Performance"},
    {0x09, "Power On Hours Count"},
    {0x0A, "Spin Retry Count"},
    {0x0B, "Calibration Retry Count"},
    {0x0C, "Power Cycle Count"},
    {0x0D, "Soft Read Error Rate"},
    {0xBF, "G-Sense Error Rate"},
    {0xC0, "Power-Off Retract Cycle"},
    {0xC1, "Load/Unload Cycle Count"},
    {0xC2, "Temperature"},
    {0xC3, "ECC on the Flying Count"},
    {0xC4, "Reallocated Event Count"},
    {0xC5, "Current Pending Sector"},
    {0xC6, "Offline Uncorrectable"},
    {0xC7, "UDMA CRC Error Count"},
    {0xC8, "Write Error Count"},
    {0xC9, "Soft Read Error Rate"},
    {0xCA, "Data Address Mark Errors"},
    {0xCB, "Run Out Cancel"},
    {0xCC, "Soft ECC Correction"},
    {0xCD, "Thermal Asperity Rate"},
    {0xCE, "Flying Height"},
    {0xCF, "Spin High Current"},
    {0xD0, "Spin Buzz"},
    {0xD1, "Offline Seek Performance"},
    {0xDC, "Disk Shift"},
    {0xDD, "G-Sense Error Rate"},
    {0xDE, "Loaded Hours"},
    {0xDF, "Load/Unload Retry Count"},
    {0xE0, "Load Friction"},
    {0xE1, "Load/Unload Cycle Count"},
    {0xE2, "Load-in Time"},
    {0xE3, "Torque Amplification Count"},
    {0xE4, "Power-Off Retract Count"},
    {0xE6, "GMR Head Amplitude"},
    {0xE7, "Temperature"},
    {0xF0, "Head Flying Hours"},
    {0xFA, "Read Error Retry Rate"},
};
// clang-format on

std::string filledUp(std::string_view name)
{
    std::string text(name);
    if (text.size() < kNameWidth) {
        text.append(kNameWidth - text.size(), ' ');
    }
    return text;
}

std::array<std::string, 256> buildTable()
{
    std::array<std::string, 256> table;
    table.fill(filledUp("(Unknown attribute)"));
    for (const auto &[id, name] : kCatalogue) {
        table[id] = filledUp(name);
    }
    return table;
}

} // namespace

const std::string &AttributeName(std::uint8_t id)
{
    static const std::array<std::string, 256> table = buildTable();
    return table[id];
}

} // namespace orvane
