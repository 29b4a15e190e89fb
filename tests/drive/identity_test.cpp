// SPDX-License-Identifier: MIT
#include "drive/detailsrefresh.h"
#include "drive/identity.h"
#include "drive/reporttable.h"
#include "support/fakedrivecontrol.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::SectorData;
using Rows = std::vector<std::vector<std::string>>;

Sector view(const SectorData &s)
{
    return Sector(s.data(), kSectorSize);
}

TEST(IdentityText, ExchangesTheBytesOfEachWordAndKeepsEveryBlank)
{
    SectorData s{};
    // Bytes as the drive stores "ST39": 'T','S','9','3'.
    const char stored[] = "TS93";
    std::copy(stored, stored + 4, s.begin() + kModelOffset);
    for (std::size_t i = 4; i < kModelLength; ++i) {
        s[kModelOffset + i] = ' ';
    }
    EXPECT_EQ(IdentityText(view(s), kModelOffset, kModelLength), "ST39" + std::string(36, ' '));
    // Decoding twice gives the same text: the sector itself is left as the drive sent it.
    EXPECT_EQ(IdentityText(view(s), kModelOffset, kModelLength), "ST39" + std::string(36, ' '));

    test::putIdentifyText(s, kSerialOffset, "        WD-WCC6Y0123");
    EXPECT_EQ(IdentityText(view(s), kSerialOffset, kSerialLength), "        WD-WCC6Y0123");
}

TEST(IdentityText, EndsAtTheFirstZeroByte)
{
    SectorData s{};
    test::putIdentifyText(s, kModelOffset, std::string(40, 'M'));
    s[kModelOffset + 11] = 0; // the 11th character after the exchange is at byte 10
    EXPECT_EQ(IdentityText(view(s), kModelOffset, kModelLength), std::string(10, 'M'));
    EXPECT_EQ(IdentityText(view(s), kFirmwareOffset, kFirmwareLength), "");
}

TEST(SwapWordBytes, ExchangesEachPair)
{
    std::uint8_t bytes[] = {1, 2, 3, 4, 5, 6};
    SwapWordBytes(bytes, sizeof bytes);
    EXPECT_EQ(std::vector<std::uint8_t>(bytes, bytes + 6), (std::vector<std::uint8_t>{2, 1, 4, 3, 6, 5}));
}

TEST(AddDiskInfoRow, SkipsNamesThatAreBlankButKeepsTheNameAsPassed)
{
    ReportTable t;
    AddDiskInfoRow(t, "", "x");
    AddDiskInfoRow(t, "  \t\r\n", "x");
    AddDiskInfoRow(t, " Name ", "");
    EXPECT_EQ(t.rows, (Rows{{" Name ", ""}}));
}

SectorData identifySector()
{
    SectorData s{};
    test::putWord(s, 1, 0xFFFF);
    test::putWord(s, 3, 16);
    test::putWord(s, 6, 63);
    test::putIdentifyText(s, kModelOffset, "WDC WD10EZEX-08WN4A0                    ");
    test::putIdentifyText(s, kFirmwareOffset, "01.01A01");
    test::putIdentifyText(s, kSerialOffset, "     WD-WCC6Y3TK1234");
    return s;
}

TEST(ShowDriveDetails, ListsThirteenIdentityRowsForAnAtaDrive)
{
    test::FakeDriveControl control;
    control.drive(1).identify = identifySector();
    DriveTransport transport(control);
    ReportTable disk, smart;
    ShowDriveDetails(transport, "1", disk, smart);
    EXPECT_EQ(disk.rows,
              (Rows{
                  {"IDE HDD 1", "S.M.A.R.T supported"},
                  {"Cylinders", "65535"},
                  {"Heads", "16"},
                  {"Sectors per Track", "63"},
                  {"Sector Count", "1"},
                  {"Sector Number", "1"},
                  {"Low order cylinder", "0"},
                  {"High order cylinder", "0"},
                  {"Drive/Head", "176"},
                  {"Actual IDE command", "236"},
                  {"Model number", "WDC WD10EZEX-08WN4A0                    "},
                  {"Firmware rev", "01.01A01"},
                  {"Serial number", "     WD-WCC6Y3TK1234"},
              }));
}

TEST(ShowDriveDetails, ListsFourRowsForAnAtapiDrive)
{
    test::FakeDriveControl control;
    auto &d = control.drive(2);
    d.deviceMap = 0x40;
    d.identify = identifySector();
    DriveTransport transport(control);
    ReportTable disk, smart;
    ShowDriveDetails(transport, "2", disk, smart);
    EXPECT_EQ(disk.rows,
              (Rows{
                  {"ATAPI device", "2"},
                  {"Model number", "WDC WD10EZEX-08WN4A0                    "},
                  {"Firmware rev", "01.01A01"},
                  {"Serial number", "     WD-WCC6Y3TK1234"},
              }));
    EXPECT_EQ(control.requests[2].command(), kAtaIdentifyPacketDevice);
}

TEST(ShowDriveDetails, WithoutEnableTheHeaderRowHasNoValue)
{
    test::FakeDriveControl control;
    control.drive(0).enableOk = false;
    test::putWord(*control.drive(0).identify, 1, 16383);
    DriveTransport transport(control);
    ReportTable disk, smart;
    ShowDriveDetails(transport, "0", disk, smart);
    ASSERT_GE(disk.rows.size(), 9u);
    EXPECT_EQ(disk.rows[0], (std::vector<std::string>{"IDE HDD 0", ""}));
    EXPECT_EQ(disk.rows[1][1], "16383");
    EXPECT_EQ(disk.rows[8], (std::vector<std::string>{"Drive/Head", "160"}));
}

} // namespace
} // namespace orvane
