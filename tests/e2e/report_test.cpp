// Runs the orvane-report program itself on recordings and checks what it prints.
#include "platform/replay/driverecording.h"
#include "runreport.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::Outcome;

Outcome run(const std::string &arguments)
{
    return test::runReport(arguments);
}

// Puts `text` into an identify field as a drive stores it (first character in the high byte).
void putText(SectorBytes &s, std::size_t offset, const std::string &text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        s[offset + (i ^ 1)] = static_cast<std::uint8_t>(text[i]);
    }
}

class Report : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() / ("orvane-e2e-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string write(const std::string &name, const std::string &text)
    {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // A small drive: model "E2E DISK", firmware "FW1", serial "SN42", one power-on-hours
    // attribute and a 56 degree temperature at its threshold... of 0.
    std::string sampleDrive(std::uint8_t map)
    {
        DriveRecording r;
        r.deviceMap = map;
        r.enableOk = true;
        r.identify.emplace();
        putText(*r.identify, 54, "E2E DISK");
        putText(*r.identify, 46, "FW1 ");
        putText(*r.identify, 20, "SN42");
        (*r.identify)[2] = 0x10; // 16 cylinders
        r.attributes.emplace();
        const std::uint8_t slots[2][7] = {{9, 0, 0, 99, 98, 16, 39}, {194, 0, 0, 44, 40, 56, 0}};
        for (int s = 0; s < 2; ++s) {
            std::copy(slots[s], slots[s] + 7, r.attributes->begin() + 2 + 12 * s);
        }
        r.thresholds.emplace();
        (*r.thresholds)[2 + 12 + 1] = 44; // the temperature attribute at its threshold
        return formatRecording(r, "made by the end-to-end test");
    }

    std::filesystem::path dir;
};

TEST_F(Report, PrintsTheJsonOfEveryDriveInNumberOrder)
{
    const std::string a = write("a.rec", sampleDrive(0x02)), b = write("b.rec", sampleDrive(0x08));
    const Outcome r = run("--json --drive 3=" + b + " --drive 1=" + a);
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string model = "E2E DISK"; // the rest of the field is zeros
    const std::string disk = "\"disk_info\":[[\"IDE HDD 1\",\"S.M.A.R.T supported\"],[\"Cylinders\",\"16\"],"
                             "[\"Heads\",\"0\"],[\"Sectors per Track\",\"0\"],[\"Sector Count\",\"1\"],"
                             "[\"Sector Number\",\"1\"],[\"Low order cylinder\",\"0\"],[\"High order cylinder\",\"0\"],"
                             "[\"Drive/Head\",\"176\"],[\"Actual IDE command\",\"236\"],[\"Model number\",\""
        + model + "\"],[\"Firmware rev\",\"FW1 \"],[\"Serial number\",\"SN42\"]]";
    const std::string smart =
        "\"smart_info\":[[\"09\",\"Power On Hours Count    \",\"0\",\"99\",\"98\",\"406\",\"OK\"],"
        "[\"C2\",\"Temperature             \",\"44\",\"44\",\"40\",\"56\",\"BAD\"]]";
    const std::string drive1 = "{\"row\":[\"1\",\"" + model
        + "\",\"56\xC2\xB0"
          "C\",\"BAD\"],\"reading\":{\"Raw\":56,\"Threshold\":44,\"Value\":44,\"Worst\":40},"
        + disk + "," + smart + "}";
    ASSERT_EQ(r.out.rfind("{\"drives\":[" + drive1 + ",{\"row\":[\"3\"", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("[\"IDE HDD 3\",\"S.M.A.R.T supported\"]"), std::string::npos);
    EXPECT_EQ(r.out.substr(r.out.size() - 3), "]}\n");
}

TEST_F(Report, PrintsAlignedTables)
{
    const Outcome r = run("--drive 0=" + write("a.rec", sampleDrive(0x01)));
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Drives\n  ID  Model"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  0   E2E DISK  56\xC2\xB0"
                         "C  BAD"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("Drive 0: SMART Info\n  ID  Attribute Name            Threshold  Value  Worst  RAW  Status\n"
                         "  09  Power On Hours Count      0          99     98     406  OK\n"),
              std::string::npos)
        << r.out;
}

TEST_F(Report, RecordsADriveSoThatItReplaysTheSame)
{
    const std::string original = write("a.rec", sampleDrive(0x01));
    const Outcome recorded = run("--record 0 --drive 0=" + original);
    ASSERT_EQ(recorded.status, 0) << recorded.out;
    const std::string copy = write("copy.rec", recorded.out);
    EXPECT_EQ(run("--json --drive 0=" + copy).out, run("--json --drive 0=" + original).out);
}

TEST_F(Report, RecordsNothingOfAnAbsentDrive)
{
    const Outcome r = run("--record 1 --drive 0=" + write("a.rec", sampleDrive(0x01)));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "orvane-report: drive 1 cannot be opened: no such drive\n");
}

TEST_F(Report, RefusesABrokenRecordingNamingItsLine)
{
    const std::string broken = write("broken.rec", "orvane-drive-recording 1\nenable maybe\n");
    const Outcome r = run("--drive 0=" + broken);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "orvane-report: " + broken + ":2: \"enable\" takes \"ok\" or \"fail\"\n");
    const Outcome usage = run("--drive 7=x");
    EXPECT_EQ(usage.status, 2);
    EXPECT_NE(usage.out.find("Usage: orvane-report"), std::string::npos);
}

TEST_F(Report, WithoutDrivesPrintsAnEmptyList)
{
    // Drive 2 only; drives 0, 1 and 3 are absent.
    const Outcome r = run("--json --drive 2=" + write("a.rec", "orvane-drive-recording 1\n"));
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "{\"drives\":[{\"row\":[\"2\",\"\",\"N/A\",\"OK\"],\"reading\":{\"Raw\":-9999,\"Threshold\":"
              "-10000,\"Value\":0,\"Worst\":0},\"disk_info\":[],\"smart_info\":[]}]}\n");
}

} // namespace
} // namespace orvane
