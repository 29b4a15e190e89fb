// SPDX-License-Identifier: MIT
// Decoding an NVMe drive's Identify Controller data and health log into the reports, on
// hand-made data (nvmesectors.h).
#include "drive/nvmehealth.h"
#include "drive/nvmeidentity.h"
#include "drive/reporttable.h"
#include "nvmesectors.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using Rows = std::vector<std::vector<std::string>>;
using test::putLe;

const std::string kDeg(1, kDegreeSign);

TEST(NvmeIdentity, ListsTheRowsOfTheController)
{
    ReportTable disk;
    listNvmeIdentityRows(disk, test::identifyController(), 2, true);
    EXPECT_EQ(disk.rows,
              (Rows{
                  {"NVMe 2", "Health log supported"},
                  {"Model number", "Samsung SSD 970 EVO 1TB                 "},
                  {"Firmware rev", "2B2QEXE7"},
                  {"Serial number", "S467NX0M123456A     "},
                  {"PCI Vendor ID", "0x144D"},
                  {"NVMe Version", "1.3"},
                  {"Warning Comp. Temp. Threshold", "85" + kDeg + "C"},
                  {"Critical Comp. Temp. Threshold", "90" + kDeg + "C"},
                  {"Namespaces", "1"},
              }));
}

TEST(NvmeIdentity, ShowsMissingThresholdsAndHealthLogAndOddNumbers)
{
    NvmeIdentifyData d = test::identifyController();
    putLe(d, 0, 0x1b4b, 2); // lower-case hex would be wrong
    putLe(d, 80, 0x00020100, 4); // 2.1: major in the high word, minor in bits 15-8
    putLe(d, 266, 0, 2);
    putLe(d, 268, 0, 2);
    putLe(d, 516, 0xFFFFFFFF, 4);
    d[24 + 10] = 0; // a model cut short by a zero byte
    ReportTable disk;
    listNvmeIdentityRows(disk, d, 0, false);
    ASSERT_EQ(disk.rows.size(), 9u);
    EXPECT_EQ(disk.rows[0], (std::vector<std::string>{"NVMe 0", ""}));
    EXPECT_EQ(disk.rows[1][1], "Samsung SS");
    EXPECT_EQ(disk.rows[4][1], "0x1B4B");
    EXPECT_EQ(disk.rows[5][1], "2.1");
    EXPECT_EQ(disk.rows[6][1], "N/A");
    EXPECT_EQ(disk.rows[7][1], "N/A");
    EXPECT_EQ(disk.rows[8][1], "4294967295");
    EXPECT_EQ(nvmeModel(d), "Samsung SS");
}

TEST(NvmeHealth, ListsOneRowPerFieldWithItsOffsetAndUnit)
{
    ReportTable smart;
    listNvmeHealthRows(smart, test::healthLog(), 358);
    // clang-format off
    EXPECT_EQ(smart.rows, (Rows{
        {"00", "Critical Warning",                "",                "0x00",           "", "0",    "OK"},
        {"01", "Composite Temperature",           "85" + kDeg + "C", "38" + kDeg + "C", "", "311",  "OK"},
        {"03", "Available Spare",                 "10%",             "100%",           "", "100",  "OK"},
        {"04", "Available Spare Threshold",       "",                "10%",            "", "10",   "OK"},
        {"05", "Percentage Used",                 "",                "2%",             "", "2",    "OK"},
        {"20", "Data Units Read",                 "",                "1000",           "", "1000", "OK"},
        {"30", "Data Units Written",              "",                "2000",           "", "2000", "OK"},
        {"40", "Host Read Commands",              "",                "3000",           "", "3000", "OK"},
        {"50", "Host Write Commands",             "",                "4000",           "", "4000", "OK"},
        {"60", "Controller Busy Time",            "",                "50",             "", "50",   "OK"},
        {"70", "Power Cycles",                    "",                "60",             "", "60",   "OK"},
        {"80", "Power On Hours",                  "",                "70",             "", "70",   "OK"},
        {"90", "Unsafe Shutdowns",                "",                "8",              "", "8",    "OK"},
        {"A0", "Media and Data Integrity Errors", "",                "0",              "", "0",    "OK"},
        {"B0", "Error Information Log Entries",   "",                "9",              "", "9",    "OK"},
        {"C0", "Warning Comp. Temperature Time",  "",                "11",             "", "11",   "OK"},
        {"C4", "Critical Comp. Temperature Time", "",                "12",             "", "12",   "OK"},
    }));
    // clang-format on
}

// Which rows each Critical Warning bit makes "BAD", by row ID.
struct WarningCase
{
    std::uint8_t bits;
    std::vector<std::string> bad;
};

class NvmeWarning : public ::testing::TestWithParam<WarningCase>
{
};

TEST_P(NvmeWarning, MarksTheRowsTheBitBelongsTo)
{
    NvmeHealthLog h = test::healthLog();
    h[0] = GetParam().bits;
    ReportTable smart;
    listNvmeHealthRows(smart, h, 358);
    std::vector<std::string> bad;
    for (const auto &row : smart.rows) {
        if (row[6] == "BAD") {
            bad.push_back(row[0]);
        }
    }
    EXPECT_EQ(bad, GetParam().bad);
    EXPECT_EQ(AttrVerdict(nvmeTemperature(h)), GetParam().bits ? "BAD" : "OK");
}

INSTANTIATE_TEST_SUITE_P(Bits, NvmeWarning,
                         ::testing::Values(WarningCase{0x00, {}}, WarningCase{0x01, {"00", "03"}},
                                           WarningCase{0x02, {"00", "01"}}, WarningCase{0x04, {"00", "A0"}},
                                           WarningCase{0x08, {"00"}}, WarningCase{0x10, {"00"}},
                                           WarningCase{0x20, {"00"}}, WarningCase{0x07, {"00", "01", "03", "A0"}}),
                         [](const auto &param) { return "Bits" + std::to_string(param.param.bits); });

TEST(NvmeHealth, ShowsTheWarningByteInHex)
{
    NvmeHealthLog h = test::healthLog();
    h[0] = 0x1C;
    ReportTable smart;
    listNvmeHealthRows(smart, h, 0);
    EXPECT_EQ(smart.rows[0][3], "0x1C");
    EXPECT_EQ(smart.rows[0][5], "28");
    EXPECT_EQ(smart.rows[1][2], "N/A"); // no warning threshold known
}

TEST(NvmeHealth, CountersPastSixtyFourBitsInFullDecimal)
{
    NvmeHealthLog h = test::healthLog();
    putLe(h, 32, 5, 16);
    h[32 + 8] = 1; // 2^64 + 5
    std::fill(h.begin() + 48, h.begin() + 64, 0xFF); // 2^128 - 1
    putLe(h, 64, 0, 16);
    h[64 + 15] = 0x80; // 2^127
    putLe(h, 192, 0xFFFFFFFF, 4);
    ReportTable smart;
    listNvmeHealthRows(smart, h, 358);
    EXPECT_EQ(smart.rows[5][3], "18446744073709551621");
    EXPECT_EQ(smart.rows[5][5], "18446744073709551621");
    EXPECT_EQ(smart.rows[6][5], "340282366920938463463374607431768211455");
    EXPECT_EQ(smart.rows[7][5], "170141183460469231731687303715884105728");
    EXPECT_EQ(smart.rows[15][5], "4294967295");
}

struct TemperatureCase
{
    std::uint16_t kelvin;
    std::uint8_t warning;
    TAttrReading reading;
    std::string value; // the Composite Temperature row's value
};

class NvmeTemperature : public ::testing::TestWithParam<TemperatureCase>
{
};

TEST_P(NvmeTemperature, IsTheCompositeTemperatureInCelsius)
{
    NvmeHealthLog h = test::healthLog();
    putLe(h, 1, GetParam().kelvin, 2);
    h[0] = GetParam().warning;
    EXPECT_EQ(nvmeTemperature(h), GetParam().reading);
    ReportTable smart;
    listNvmeHealthRows(smart, h, 358);
    EXPECT_EQ(smart.rows[1][3], GetParam().value);
    EXPECT_EQ(smart.rows[1][5], std::to_string(GetParam().kelvin));
}

INSTANTIATE_TEST_SUITE_P(Kelvin, NvmeTemperature,
                         ::testing::Values(TemperatureCase{311, 0, {38, 0, 1, 1}, "38" + kDeg + "C"},
                                           TemperatureCase{273, 0, {0, 0, 1, 1}, "0" + kDeg + "C"},
                                           TemperatureCase{263, 0, {-10, 0, 1, 1}, "-10" + kDeg + "C"},
                                           // 0 K: no temperature, but a warning still makes the drive "BAD"
                                           TemperatureCase{0, 0, {kNoTemperature, 0, 1, 1}, "N/A"},
                                           TemperatureCase{0, 0x04, {kNoTemperature, 0, 0, 0}, "N/A"},
                                           TemperatureCase{65535, 0x02, {65262, 0, 0, 0}, "65262" + kDeg + "C"}),
                         [](const auto &param) {
                             return "K" + std::to_string(param.param.kelvin) + "W"
                                 + std::to_string(param.param.warning);
                         });

TEST(DecimalText, ReadsLittleEndianNumbersOfAnySize)
{
    const std::uint8_t zero[16] = {};
    const std::uint8_t one[1] = {1};
    const std::uint8_t big[4] = {0x00, 0xCA, 0x9A, 0x3B}; // 1000000000
    EXPECT_EQ(decimalText(zero), "0");
    EXPECT_EQ(decimalText(one), "1");
    EXPECT_EQ(decimalText(big), "1000000000");
}

} // namespace
} // namespace orvane
