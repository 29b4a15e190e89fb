// SPDX-License-Identifier: MIT
#include "drive/nvmehealth.h"

#include "drive/nvmeidentity.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace orvane {

namespace {

enum class Unit {
    Bits, // the Critical Warning byte, shown in hex
    Kelvin,
    Percent,
    Count,
};

struct HealthField
{
    std::size_t offset;
    std::size_t size;
    const char *name;
    Unit unit;
    std::uint8_t warningBits; // the Critical Warning bits that make the row "BAD"
};

// clang-format off
constexpr HealthField kHealthFields[] = {
    {0,   1,  "Critical Warning",                Unit::Bits,    0xFF},
    {1,   2,  "Composite Temperature",           Unit::Kelvin,  kNvmeWarnTemperature},
    {3,   1,  "Available Spare",                 Unit::Percent, kNvmeWarnSpare},
    {4,   1,  "Available Spare Threshold",       Unit::Percent, 0},
    {5,   1,  "Percentage Used",                 Unit::Percent, 0},
    {32,  16, "Data Units Read",                 Unit::Count,   0},
    {48,  16, "Data Units Written",              Unit::Count,   0},
    {64,  16, "Host Read Commands",              Unit::Count,   0},
    {80,  16, "Host Write Commands",             Unit::Count,   0},
    {96,  16, "Controller Busy Time",            Unit::Count,   0},
    {112, 16, "Power Cycles",                    Unit::Count,   0},
    {128, 16, "Power On Hours",                  Unit::Count,   0},
    {144, 16, "Unsafe Shutdowns",                Unit::Count,   0},
    {160, 16, "Media and Data Integrity Errors", Unit::Count,   kNvmeWarnReliability},
    {176, 16, "Error Information Log Entries",   Unit::Count,   0},
    {192, 4,  "Warning Comp. Temperature Time",  Unit::Count,   0},
    {196, 4,  "Critical Comp. Temperature Time", Unit::Count,   0},
};
// clang-format on

constexpr std::size_t kSpareThresholdOffset = 4;

std::string valueText(Unit unit, std::span<const std::uint8_t> field)
{
    std::string plain = decimalText(field);
    switch (unit) {
    case Unit::Bits: {
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(field[0]));
        return hex;
    }
    case Unit::Kelvin:
        return kelvinText(nvmeWord(field, 0));
    case Unit::Percent:
        return plain + "%";
    case Unit::Count:
        break;
    }
    return plain;
}

} // namespace

std::string decimalText(std::span<const std::uint8_t> littleEndian)
{
    // Long division by 10 of a big-endian copy, one decimal digit a round.
    std::array<std::uint8_t, 16> number{};
    const std::size_t size = std::min(littleEndian.size(), number.size());
    std::reverse_copy(littleEndian.begin(), littleEndian.begin() + static_cast<std::ptrdiff_t>(size),
                      number.end() - static_cast<std::ptrdiff_t>(size));
    std::string digits;
    do {
        unsigned remainder = 0;
        for (std::uint8_t &byte : number) {
            const unsigned current = remainder * 256 + byte;
            byte = static_cast<std::uint8_t>(current / 10);
            remainder = current % 10;
        }
        digits += static_cast<char>('0' + remainder);
    } while (std::any_of(number.begin(), number.end(), [](std::uint8_t b) { return b != 0; }));
    return std::string(digits.rbegin(), digits.rend());
}

TAttrReading nvmeTemperature(NvmeHealth health)
{
    const std::uint16_t kelvin = nvmeWord(health, kNvmeCompositeTempOffset);
    const std::int32_t healthy = health[kNvmeCriticalWarningOffset] == 0 ? 1 : 0;
    return {kelvin == 0 ? kNoTemperature : kelvin - 273, 0, healthy, healthy};
}

void listNvmeHealthRows(ReportList &smartInfo, NvmeHealth health, std::uint16_t warningKelvin)
{
    const std::uint8_t warning = health[kNvmeCriticalWarningOffset];
    for (const HealthField &f : kHealthFields) {
        const std::span<const std::uint8_t> field = health.subspan(f.offset, f.size);
        char caption[3];
        std::snprintf(caption, sizeof caption, "%02X", static_cast<unsigned>(f.offset));
        std::string threshold;
        if (f.offset == kNvmeCompositeTempOffset) {
            threshold = kelvinText(warningKelvin);
        } else if (f.unit == Unit::Percent && f.warningBits == kNvmeWarnSpare) {
            threshold = std::to_string(health[kSpareThresholdOffset]) + "%";
        }
        smartInfo.addRow({caption, f.name, threshold, valueText(f.unit, field), "", decimalText(field),
                          (warning & f.warningBits) != 0 ? "BAD" : "OK"});
    }
}

} // namespace orvane
