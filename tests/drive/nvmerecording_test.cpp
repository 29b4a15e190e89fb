// SPDX-License-Identifier: MIT
// Recordings of NVMe drives: the nvme-identify and nvme-health sections, and the replay of
// them through the transport.
#include "drive/attributes.h"
#include "drive/detailsrefresh.h"
#include "drive/identity.h"
#include "drive/reporttable.h"
#include "nvmesectors.h"
#include "platform/replay/driverecording.h"
#include "platform/replay/replaydrivecontrol.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

const std::string kHeader = "orvane-drive-recording 1\n";

std::string hexPairs(std::size_t count)
{
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += (i % 32 == 31) ? "ab\n" : "ab ";
    }
    return out;
}

DriveRecording nvmeRecording()
{
    DriveRecording r;
    r.nvmeIdentify = test::identifyController();
    r.nvmeHealth = test::healthLog();
    return r;
}

TEST(NvmeRecording, ParsesBothSectionsAtTheirOwnSizes)
{
    const DriveRecording r = parseRecording(
        kHeader + "enable fail\nnvme-identify\n" + hexPairs(4096) + "nvme-health\n" + hexPairs(512), "n.rec");
    ASSERT_TRUE(r.nvmeIdentify && r.nvmeHealth);
    EXPECT_EQ((*r.nvmeIdentify)[4095], 0xAB);
    EXPECT_EQ((*r.nvmeHealth)[511], 0xAB);
    EXPECT_FALSE(r.deviceMap || r.identify || r.attributes || r.thresholds);
}

TEST(NvmeRecording, RefusesSectionsOfTheWrongSize)
{
    const struct
    {
        std::string text, message;
    } cases[] = {
        {kHeader + "nvme-identify\n" + hexPairs(512),
         "n.rec:18: the nvme-identify section ends after 512 of 4096 bytes"},
        {kHeader + "nvme-health\n" + hexPairs(511) + "ab ab\n", "the nvme-health section holds more than 512 bytes"},
        {kHeader + "nvme-health\n" + hexPairs(64) + "identify\n", "the nvme-health section ends after 64 of 512"},
        {kHeader + "nvme-health\n" + hexPairs(512) + "nvme-health\n", "a second \"nvme-health\" section"},
        {kHeader + "nvme-identify 1\n", "\"nvme-identify\" takes no argument"},
    };
    for (const auto &c : cases) {
        try {
            (void)parseRecording(c.text, "n.rec");
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const RecordingError &e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
                << "got: " << e.what() << "\nwanted: " << c.message;
        }
    }
}

TEST(NvmeRecording, RoundTripsAndLeavesAtaFilesAsTheyWere)
{
    const std::string text = formatRecording(nvmeRecording(), "an NVMe drive");
    EXPECT_EQ(text.rfind(kHeader + "# an NVMe drive\nenable fail\nnvme-identify\n4d 14 00 00", 0), 0u);
    const DriveRecording back = parseRecording(text, "n.rec");
    EXPECT_EQ(back.nvmeIdentify, nvmeRecording().nvmeIdentify);
    EXPECT_EQ(back.nvmeHealth, nvmeRecording().nvmeHealth);

    DriveRecording ata;
    ata.deviceMap = 0x01;
    ata.identify.emplace();
    EXPECT_EQ(formatRecording(ata, "").find("nvme"), std::string::npos);
}

TEST(NvmeRecording, ReplaysAsTheDriveWould)
{
    ReplayDriveControl control;
    control.addDrive(0, nvmeRecording());
    DriveRecording onlyHealth = nvmeRecording();
    onlyHealth.nvmeIdentify.reset();
    onlyHealth.nvmeHealth->at(0) = 0x01;
    control.addDrive(1, onlyHealth);
    DriveTransport transport(control);

    EXPECT_EQ(ReadDriveModel(transport, 0), "Samsung SSD 970 EVO 1TB                 ");
    EXPECT_EQ(ReadTemperature(transport, 0), (TAttrReading{38, 0, 1, 1}));
    EXPECT_EQ(ReadDriveModel(transport, 1), "");
    EXPECT_EQ(AttrVerdict(ReadTemperature(transport, 1)), "BAD");
    ReportTable disk, smart;
    ShowDriveDetails(transport, "0", disk, smart);
    EXPECT_EQ(disk.rows.size(), 9u);
    EXPECT_EQ(smart.rows.size(), 17u);
    EXPECT_EQ(control.openHandles(), 0u);

    // A query the allow-list does not know is refused, not answered from the recording.
    DriveHandle handle = transport.OpenPhysicalDrive("0");
    std::vector<std::uint8_t> query = nvmeQuery(NvmeCommand::HealthLog);
    query[16] = 0x03; // log page 03h, the firmware slots
    std::vector<std::uint8_t> out(query.size());
    EXPECT_FALSE(control.deviceIoControl(handle.get(), kIoctlStorageQueryProperty, query, out));
}

} // namespace
} // namespace orvane
