// SPDX-License-Identifier: MIT
// orvane-report on the shipped NVMe recordings: every health row agrees with the smartctl
// output the recording was made from, and a drive recorded again replays the same.
#include "runreport.h"
#include "tools/reportoptions.h"

#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace orvane {
namespace {

std::string readFile(const std::string &path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// smartctl's value of a "Label:   value" line as the plain number orvane-report shows in
// the RAW column: commas and the "[18.3 TB]" note gone, percent signs dropped, a Celsius
// temperature back in Kelvin, the warning byte from hex.
std::string smartctlRaw(const std::string &source, const std::string &label)
{
    const std::regex line("\n" + label + ":\\s+([^\n]*)");
    std::smatch m;
    if (!std::regex_search(source, m, line)) {
        return "(no line)";
    }
    std::string value = m[1].str();
    if (value.starts_with("0x")) {
        return std::to_string(std::stoul(value, nullptr, 16));
    }
    if (value.ends_with(" Celsius")) {
        return std::to_string(std::stoi(value) + 273);
    }
    value = value.substr(0, value.find(" ["));
    std::erase(value, ',');
    std::erase(value, '%');
    return value;
}

struct ShippedNvme
{
    const char *recording, *source, *row;
};

class NvmeShipped : public ::testing::TestWithParam<ShippedNvme>
{
};

TEST_P(NvmeShipped, AgreesWithItsSmartctlOutput)
{
    const std::string dir = std::string(ORVANE_SOURCE_DIR) + "/assets/drives/";
    const std::string source = readFile(dir + "sources/" + GetParam().source);
    const test::Outcome r = test::runReport("--json --drive 0=" + dir + GetParam().recording);
    // A drive with a critical warning has BAD rows, and says so in the exit status.
    const bool bad = std::string(GetParam().row).find("BAD") != std::string::npos;
    ASSERT_EQ(r.status, bad ? kExitBadAttribute : 0) << r.out;
    EXPECT_NE(r.out.find(GetParam().row), std::string::npos) << r.out;

    // clang-format off
    const std::pair<const char *, const char *> fields[] = {
        {"00", "Critical Warning"}, {"01", "Temperature"}, {"03", "Available Spare"},
        {"04", "Available Spare Threshold"}, {"05", "Percentage Used"}, {"20", "Data Units Read"},
        {"30", "Data Units Written"}, {"40", "Host Read Commands"}, {"50", "Host Write Commands"},
        {"60", "Controller Busy Time"}, {"70", "Power Cycles"}, {"80", "Power On Hours"},
        {"90", "Unsafe Shutdowns"}, {"A0", "Media and Data Integrity Errors"},
        {"B0", "Error Information Log Entries"}, {"C0", "Warning  Comp. Temperature Time"},
        {"C4", "Critical Comp. Temperature Time"},
    };
    // clang-format on
    for (const auto &[id, label] : fields) {
        const std::regex row("\\[\"" + std::string(id) + "\",\"[^\"]*\",\"[^\"]*\",\"[^\"]*\",\"\",\"([0-9]+)\"");
        std::smatch m;
        ASSERT_TRUE(std::regex_search(r.out, m, row)) << id;
        EXPECT_EQ(m[1].str(), smartctlRaw(source, label)) << label;
    }
    const std::pair<const char *, const char *> identity[] = {
        {"Firmware rev", "Firmware Version"},
        {"NVMe Version", "NVMe Version"},
        {"Namespaces", "Number of Namespaces"},
    };
    for (const auto &[name, label] : identity) {
        const std::regex row("\\[\"" + std::string(name) + "\",\"([^\"]*?) *\"\\]");
        std::smatch m;
        ASSERT_TRUE(std::regex_search(r.out, m, row)) << name;
        EXPECT_EQ(m[1].str(), smartctlRaw(source, label)) << name;
    }
}

TEST_P(NvmeShipped, RecordedAgainReplaysTheSame)
{
    const std::string file = std::string(ORVANE_SOURCE_DIR) + "/assets/drives/" + GetParam().recording;
    const std::string copy = ::testing::TempDir() + "recorded-again-" + GetParam().recording;
    const test::Outcome recorded = test::runReport("--drive 0=" + file + " --record 0 > " + copy);
    ASSERT_EQ(recorded.status, 0) << recorded.out;
    const test::Outcome original = test::runReport("--json --drive 0=" + file);
    const test::Outcome again = test::runReport("--json --drive 0=" + copy);
    EXPECT_EQ(again.status, original.status);
    EXPECT_EQ(again.out, original.out);
    EXPECT_NE(readFile(copy).find("\nnvme-health\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Recordings, NvmeShipped,
    ::testing::Values(ShippedNvme{"nvme-samsung-ssd-970-evo-plus-500gb.rec", "samsung-ssd-970-evo-plus-500gb.txt",
                                  "\"row\":[\"0\",\"Samsung SSD 970 EVO Plus 500GB          \",\"34°C\",\"OK\"]"},
                      ShippedNvme{"failed-nvme-crucial-ct4000p3pssd8.rec", "crucial-ct4000p3pssd8.txt",
                                  "\"row\":[\"0\",\"CT4000P3PSSD8                           \",\"40°C\",\"BAD\"]"}),
    [](const auto &param) { return param.index == 0 ? std::string("Healthy") : std::string("Failed"); });

TEST(NvmeShippedFailed, MarksTheRowsOfItsWarningBits)
{
    const std::string file = std::string(ORVANE_SOURCE_DIR) + "/assets/drives/failed-nvme-crucial-ct4000p3pssd8.rec";
    const test::Outcome r = test::runReport("--json --drive 0=" + file);
    EXPECT_NE(r.out.find("[\"00\",\"Critical Warning\",\"\",\"0x09\",\"\",\"9\",\"BAD\"]"), std::string::npos);
    EXPECT_NE(r.out.find("[\"03\",\"Available Spare\",\"5%\",\"0%\",\"\",\"0\",\"BAD\"]"), std::string::npos);
    EXPECT_NE(r.out.find("[\"01\",\"Composite Temperature\",\"85°C\",\"40°C\",\"\",\"313\",\"OK\"]"),
              std::string::npos);
    std::size_t bad = 0;
    for (std::size_t at = r.out.find("\"BAD\"]"); at != std::string::npos; at = r.out.find("\"BAD\"]", at + 1)) {
        ++bad;
    }
    EXPECT_EQ(bad, 3u) << r.out; // the drive list's status, and the two rows
}

} // namespace
} // namespace orvane
