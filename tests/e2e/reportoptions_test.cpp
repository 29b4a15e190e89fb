// SPDX-License-Identifier: MIT
#include "tools/reportoptions.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(ReportOptions, ReadsDrivesJsonAndRecord)
{
    const ReportOptions o = ParseReportOptions({"--drive", "3=b.rec", "--json", "--drive", "0=a=b.rec"});
    EXPECT_TRUE(o.json);
    EXPECT_EQ(o.drives, (std::map<std::uint8_t, std::string>{{0, "a=b.rec"}, {3, "b.rec"}}));
    EXPECT_EQ(ParseReportOptions({"--record", "2"}).record, 2);
    EXPECT_TRUE(ParseReportOptions({"--prometheus"}).prometheus);
}

TEST(ReportOptions, RefusesWhatItCannotDo)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--drive", "4=x.rec"},
        {"--drive", "0"},
        {"--drive", "0="},
        {"--drive"},
        {"--record", "x"},
        {"--record", "1", "--json"},
        {"--verbose"},
        {"--drive", "1=a", "--drive", "1=b"},
        {"--json", "--prometheus"},
        {"--record", "0", "--prometheus"},
    };
    for (const auto &args : bad) {
        EXPECT_THROW((void)ParseReportOptions(args), std::invalid_argument) << args.front();
    }
}

} // namespace
} // namespace orvane
