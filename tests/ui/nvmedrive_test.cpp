// SPDX-License-Identifier: MIT
// The window on an NVMe drive beside an ATA one: the drive list, both reports and the
// colours of their verdicts, from the shipped recording of a failed NVMe drive.
#include "ui/reportlistview.h"
#include "uitestsupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace orvane::test {
namespace {

class NvmeDriveWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        h.drives.replay.addDrive(0, loadRecording(ORVANE_DRIVES_DIR "/failed-nvme-crucial-ct4000p3pssd8.rec"));
        h.addDrive(1, "ATA DISK", 35);
        form = &h.create();
        form->FormCreate();
    }

    FormHarness h;
    TOrvane_Form *form = nullptr;
};

TEST_F(NvmeDriveWindow, ListsTheNvmeDriveWithItsTemperatureAndWarning)
{
    const auto rows = FormHarness::rows(*form->HDDs_ListView);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"0", "CT4000P3PSSD8                           ",
                                        "40\xB0"
                                        "C",
                                        "BAD"}));
    EXPECT_EQ(rows[1][3], "OK");
    // Start-up shows drive 0: the NVMe reports.
    EXPECT_EQ(h.diskInfo("NVMe 0"), "Health log supported");
    EXPECT_EQ(h.diskInfo("PCI Vendor ID"), "0xC0A9");
    EXPECT_EQ(h.diskInfo("Critical Comp. Temp. Threshold"),
              "95\xB0"
              "C");
    const auto smart = FormHarness::rows(*form->SMARTInfo_ListView);
    ASSERT_EQ(smart.size(), 17u);
    EXPECT_EQ(smart[0], (std::vector<std::string>{"00", "Critical Warning", "", "0x09", "", "9", "BAD"}));
    EXPECT_EQ(smart[2], (std::vector<std::string>{"03", "Available Spare", "5%", "0%", "", "0", "BAD"}));
}

TEST_F(NvmeDriveWindow, SelectingTheAtaDriveAndBackSwapsTheReports)
{
    form->HDDs_ListView->selectRow(1);
    EXPECT_EQ(h.diskInfo("NVMe 0"), "");
    EXPECT_EQ(h.diskInfo("IDE HDD 1"), "S.M.A.R.T supported");
    form->HDDs_ListView->selectRow(0);
    EXPECT_EQ(h.diskInfo("IDE HDD 1"), "");
    EXPECT_EQ(h.diskInfo("Namespaces"), "1");
    EXPECT_EQ(FormHarness::rows(*form->SMARTInfo_ListView).size(), 17u);
}

TEST_F(NvmeDriveWindow, TheWatchAlertsForTheNvmeDriveByItsCompositeTemperature)
{
    form->CritTemp = 39; // the NVMe drive is at 40, the ATA drive at 35
    form->Email_Edit->setText(QStringLiteral("me@example.org"));
    form->EmailNotify_CheckBox->setChecked(true);
    form->CheckTemp_TimerTimer();
    ASSERT_EQ(h.mail.calls.size(), 1u);
    EXPECT_EQ(h.mail.calls[0].recipient, "me@example.org");
    EXPECT_NE(h.mail.calls[0].body.find("40"), std::string::npos) << h.mail.calls[0].body;
}

} // namespace
} // namespace orvane::test
