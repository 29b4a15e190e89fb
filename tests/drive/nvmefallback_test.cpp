// SPDX-License-Identifier: MIT
// When a drive is asked as NVMe: only after a failed version request, with exactly the two
// NVMe queries, and never any ATA command once it answered.
#include "drive/attributes.h"
#include "drive/detailsrefresh.h"
#include "drive/identity.h"
#include "drive/reporttable.h"
#include "nvmesectors.h"
#include "support/fakedrivecontrol.h"

#include <cstring>
#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::FakeDriveControl;

// What each request was: the request code, and for a storage query which NVMe command.
std::vector<std::string> sent(const FakeDriveControl &control)
{
    std::vector<std::string> out;
    for (const auto &r : control.requests) {
        if (r.code == kIoctlStorageQueryProperty) {
            const auto nvme = parseNvmeQuery(r.code, r.in);
            out.emplace_back(!nvme                                          ? "query?"
                                 : *nvme == NvmeCommand::IdentifyController ? "identify-controller"
                                                                            : "health-log");
        } else {
            out.emplace_back(r.code == kSmartGetVersion             ? "version"
                                 : r.code == kSmartSendDriveCommand ? "enable"
                                                                    : "ata-data");
        }
    }
    return out;
}

class NvmeFallback : public ::testing::Test
{
protected:
    FakeDriveControl::Drive &nvmeDrive(int number)
    {
        FakeDriveControl::Drive &d = control.drive(number);
        d.deviceMap.reset(); // the NVMe driver answers no S.M.A.R.T. request
        d.nvmeIdentify = test::identifyController();
        d.nvmeHealth = test::healthLog();
        return d;
    }

    FakeDriveControl control;
    DriveTransport transport{control};
    const std::vector<std::string> kNvmeOnly{"version", "identify-controller", "health-log"};
};

TEST_F(NvmeFallback, AnNvmeDriveIsSentTheVersionRequestAndTheTwoQueriesOnly)
{
    nvmeDrive(0);
    EXPECT_EQ(ReadDriveModel(transport, 0), "Samsung SSD 970 EVO 1TB                 ");
    EXPECT_EQ(sent(control), kNvmeOnly);
    control.requests.clear();

    EXPECT_EQ(ReadTemperature(transport, 0), (TAttrReading{38, 0, 1, 1}));
    EXPECT_EQ(sent(control), kNvmeOnly);
    control.requests.clear();

    ReportTable disk, smart;
    ShowDriveDetails(transport, "0", disk, smart);
    EXPECT_EQ(sent(control), kNvmeOnly);
    EXPECT_EQ(disk.rows.size(), 9u);
    EXPECT_EQ(smart.rows.size(), 17u);
    EXPECT_EQ(control.opens, 3);
    EXPECT_EQ(control.closes, 3);
}

TEST_F(NvmeFallback, AnAtaDriveIsNeverAskedAsNvme)
{
    // Even a drive that would answer the queries: the version request decides.
    FakeDriveControl::Drive &d = control.drive(1);
    d.nvmeIdentify = test::identifyController();
    d.nvmeHealth = test::healthLog();
    (void)ReadDriveModel(transport, 1);
    (void)ReadTemperature(transport, 1);
    ReportTable disk, smart;
    ShowDriveDetails(transport, "1", disk, smart);
    for (const std::string &request : sent(control)) {
        EXPECT_NE(request, "identify-controller");
        EXPECT_NE(request, "health-log");
    }
    EXPECT_EQ(disk.rows.front()[0], "IDE HDD 1");
}

TEST_F(NvmeFallback, ADriveAnsweringNeitherGoesOnAsAFailedVersionRequest)
{
    control.drive(0).deviceMap.reset();
    ReportTable disk, smart;
    ShowDriveDetails(transport, "0", disk, smart);
    EXPECT_EQ(sent(control),
              (std::vector<std::string>{"version", "identify-controller", "health-log", "enable", "ata-data",
                                        "ata-data", "ata-data"}));
    EXPECT_EQ(control.requests[4].command(), kAtaIdentifyDevice);
    EXPECT_EQ(disk.rows.front()[0], "IDE HDD 0");
}

TEST_F(NvmeFallback, OneAnswerIsEnoughToBeAnNvmeDrive)
{
    nvmeDrive(0).nvmeIdentify.reset(); // only the health log answers
    nvmeDrive(1).nvmeHealth.reset(); // only the identify

    EXPECT_EQ(ReadDriveModel(transport, 0), "");
    EXPECT_EQ(ReadTemperature(transport, 0).Raw, 38);
    EXPECT_EQ(ReadTemperature(transport, 1), (TAttrReading{kNoTemperature, kNoThreshold, 0, 0}));
    ReportTable disk, smart;
    ShowDriveDetails(transport, "0", disk, smart);
    EXPECT_TRUE(disk.rows.empty());
    EXPECT_EQ(smart.rows.size(), 17u);
    EXPECT_EQ(smart.rows[1][2], "N/A"); // the warning threshold is in the missing identify
    ShowDriveDetails(transport, "1", disk, smart);
    EXPECT_EQ(disk.rows.front(), (std::vector<std::string>{"NVMe 1", ""}));
    EXPECT_TRUE(smart.rows.empty());
    for (const std::string &request : sent(control)) {
        EXPECT_TRUE(request != "enable" && request != "ata-data") << request;
    }
}

TEST_F(NvmeFallback, AMalformedAnswerCountsAsNone)
{
    nvmeDrive(0);
    // A driver that succeeds but fills the descriptor otherwise than documented.
    struct Spoiling : FakeDriveControl
    {
        bool deviceIoControl(DeviceHandle h, std::uint32_t code, std::span<const std::uint8_t> in,
                             std::span<std::uint8_t> out) override
        {
            const bool ok = FakeDriveControl::deviceIoControl(h, code, in, out);
            if (ok && code == kIoctlStorageQueryProperty) {
                out[0] = 40;
            }
            return ok;
        }
    } spoiling;
    spoiling.drives = control.drives;
    DriveTransport t(spoiling);
    EXPECT_EQ(ReadTemperature(t, 0).Raw, kNoTemperature);
    EXPECT_EQ(sent(spoiling).size(), 7u); // fell back to the ATA sequence
}

TEST_F(NvmeFallback, NvmeAnswersLeaveTheSharedAtaBuffersAlone)
{
    nvmeDrive(0);
    transport.buffers().IdentifyBuffer.fill(0x11);
    (void)ReadDriveModel(transport, 0);
    ReportTable disk, smart;
    ShowDriveDetails(transport, "0", disk, smart);
    EXPECT_TRUE(std::all_of(transport.buffers().IdentifyBuffer.begin(), transport.buffers().IdentifyBuffer.end(),
                            [](std::uint8_t b) { return b == 0x11; }));
}

} // namespace
} // namespace orvane
