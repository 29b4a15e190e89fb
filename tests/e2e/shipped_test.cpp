// SPDX-License-Identifier: MIT
// orvane-report on every recording shipped in assets/drives: what the window would show.
#include "runreport.h"
#include "tools/reportoptions.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

struct Shipped
{
    const char *file;
    const char *model; // without the blanks that fill the 40-character field
    const char *temperature;
    const char *reading;
    std::size_t diskRows, smartRows;
    const char *badRow; // a S.M.A.R.T. Info row that must read BAD, or nullptr
    int status; // the exit status
};

// clang-format off
const Shipped kShipped[] = {
    {"wdc-wd10ezex.rec", "WDC WD10EZEX-08WN4A0", "27°C", "{\"Raw\":27,\"Threshold\":0,\"Value\":116,\"Worst\":108}", 13, 17, nullptr, 0},
    {"st2000dm001.rec", "ST2000DM001-1CH164", "36°C", "{\"Raw\":36,\"Threshold\":0,\"Value\":36,\"Worst\":51}", 13, 24, nullptr, 0},
    {"hitachi-hcs5c1010cla382.rec", "HCS5C1010CLA382", "38°C", "{\"Raw\":38,\"Threshold\":0,\"Value\":157,\"Worst\":157}", 13, 17, nullptr, 0},
    {"samsung-ssd-850-evo-120gb.rec", "Samsung SSD 850 EVO 120GB", "N/A", "{\"Raw\":-9999,\"Threshold\":-10000,\"Value\":0,\"Worst\":0}", 13, 14, nullptr, 0},
    {"hot-hitachi-hcc543232a7a380.rec", "HCC543232A7A380", "58°C", "{\"Raw\":58,\"Threshold\":0,\"Value\":103,\"Worst\":103}", 13, 19, nullptr, 0},
    {"failing-st2000dm001.rec", "ST2000DM001-1CH164", "41°C", "{\"Raw\":41,\"Threshold\":0,\"Value\":41,\"Worst\":48}", 13, 24,
     "[\"05\",\"Reallocated Sector Count\",\"10\",\"1\",\"1\",\"192\",\"BAD\"]", kExitBadAttribute},
    {"full-toshiba-dt01aba200.rec", "TOSHIBA DT01ABA200", "34°C", "{\"Raw\":34,\"Threshold\":0,\"Value\":176,\"Worst\":176}", 13, 30, nullptr, 0},
    {"atapi-hl-dt-st-gh24nsd1.rec", "HL-DT-ST DVDRAM GH24NSD1", "N/A", "{\"Raw\":-9999,\"Threshold\":-10000,\"Value\":0,\"Worst\":0}", 4, 0, nullptr, 0},
    {"no-attributes-wdc-wd10ezex.rec", "WDC WD10EZEX-08WN4A0", "N/A", "{\"Raw\":-9999,\"Threshold\":-10000,\"Value\":0,\"Worst\":0}", 13, 0, nullptr, 0},
};
// clang-format on

// Rows in the JSON list that starts at `key` ("disk_info" or "smart_info").
std::size_t rowsIn(const std::string &json, const std::string &key)
{
    const std::size_t start = json.find("\"" + key + "\":[");
    if (start == std::string::npos) {
        return 9999;
    }
    const std::size_t end = json.find("]]", start);
    if (json.compare(start + key.size() + 3, 2, "[]") == 0) {
        return 0;
    }
    std::size_t rows = 1;
    for (std::size_t at = json.find("],[", start); at < end; at = json.find("],[", at + 1)) {
        ++rows;
    }
    return rows;
}

TEST(ShippedRecordings, ReportWhatTheirDrivesHold)
{
    for (const Shipped &s : kShipped) {
        const std::string file = std::string(ORVANE_SOURCE_DIR) + "/assets/drives/" + s.file;
        const test::Outcome r = test::runReport("--json --drive 0=" + file);
        ASSERT_EQ(r.status, s.status) << s.file << "\n" << r.out;
        std::string model = s.model;
        model.resize(40, ' ');
        const std::string row = "\"row\":[\"0\",\"" + model + "\",\"" + s.temperature + "\",\"OK\"]";
        EXPECT_NE(r.out.find(row + ",\"reading\":" + s.reading), std::string::npos) << s.file << "\n" << r.out;
        EXPECT_EQ(rowsIn(r.out, "disk_info"), s.diskRows) << s.file;
        EXPECT_EQ(rowsIn(r.out, "smart_info"), s.smartRows) << s.file;
        if (s.badRow) {
            EXPECT_NE(r.out.find(s.badRow), std::string::npos) << s.file;
        } else {
            EXPECT_EQ(r.out.find("\"BAD\"]"), std::string::npos) << s.file;
        }
    }
}

TEST(ShippedRecordings, FourAtOnceKeepTheirDriveNumbers)
{
    const std::string dir = std::string(ORVANE_SOURCE_DIR) + "/assets/drives/";
    const test::Outcome r = test::runReport("--drive 0=" + dir + "wdc-wd10ezex.rec --drive 1=" + dir
                                            + "st2000dm001.rec --drive 3=" + dir + "hot-hitachi-hcc543232a7a380.rec");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("  1   ST2000DM001-1CH164                        36°C  OK\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  3   HCC543232A7A380                           58°C  OK\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("IDE HDD 3            S.M.A.R.T supported\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("Drive 2:"), std::string::npos);
}

} // namespace
} // namespace orvane
