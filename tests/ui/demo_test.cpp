// SPDX-License-Identifier: MIT
// The real orvane-demo on a virtual X display: the window must be on the screen with its
// drive list drawn. The screenshot stays in build/screenshots for a reviewer.
#include "uitestsupport.h"

#include <QImage>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>

namespace orvane::test {
namespace {

int pixelsOf(const QImage &image, QColor colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y).rgb() == colour.rgb();
        }
    }
    return count;
}

TEST(Demo, StartsUnderXvfbWithFourDrivesOnTheScreen)
{
    if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "xvfb-run is not installed";
    }
    ScratchDir folder;
    const std::filesystem::path drives = folder.path() / "drives";
    std::filesystem::create_directories(drives);
    const std::pair<const char *, DriveRecording> made[] = {
        {"a.rec", MadeDrive("DEMO DISK A", 58, 30, 45)},
        {"b.rec", MadeDrive("DEMO DISK B", 41)},
        {"c.rec", MadeDrive("DEMO DISK C", 34)},
        {"d.rec", MadeDrive("DEMO DISK D", std::nullopt)},
    };
    for (const auto &[name, drive] : made) {
        std::ofstream((drives / name).string()) << formatRecording(drive, "made by the demo test");
    }
    const std::string shot = ORVANE_SCREENSHOTS "/orvane-demo.png";
    std::filesystem::remove(shot);
    const std::string command = "cd '" + folder.path().string()
        + "' && env -u QT_QPA_PLATFORM xvfb-run -a -s '-screen 0 1024x768x24' '" ORVANE_DEMO "' --drives '"
        + drives.string() + "' --screenshot '" + shot + "' > '" + (folder.path() / "out.txt").string() + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    QImage screen(QString::fromStdString(shot));
    ASSERT_FALSE(screen.isNull());
    EXPECT_EQ(screen.size(), QSize(1024, 768));
    screen = screen.convertToFormat(QImage::Format_RGB32);
    // The list shows its first two rows: drive 0 "BAD" in red, drive 1 "OK" in green,
    // each with its picture.
    EXPECT_GT(pixelsOf(screen, QColor(0, 128, 0)), 0);
    EXPECT_GT(pixelsOf(screen, QColor(255, 0, 0)), 0);
    EXPECT_GT(pixelsOf(screen, QColor(0x16, 0xa3, 0x4a)), 10);
    EXPECT_GT(pixelsOf(screen, QColor(0xdc, 0x26, 0x26)), 10);
    // The header band's accent line spans the window's width.
    EXPECT_GE(pixelsOf(screen, QColor(0x3d, 0xa5, 0xf4)), 2 * 600);
    // The demo saves nothing when it ends after its screenshot.
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "config.xml"));
}

// The horizontal extent of every pixel of a colour.
int widthOf(const QImage &image, QColor colour)
{
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).rgb() == colour.rgb()) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return right - left + 1;
}

struct DpiCase
{
    int dpi;
    int windowWidth;
};

void PrintTo(const DpiCase &c, std::ostream *out)
{
    *out << c.dpi << " dpi";
}

class DemoDpi : public ::testing::TestWithParam<DpiCase>
{
};

// The window scales itself by ppi / 96; were Qt to scale it as well, it would come out
// 1.25 x 1.25 as wide at 120 pixels per inch.
TEST_P(DemoDpi, ScalesOnceByTheScreensPixelsPerInch)
{
    if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "xvfb-run is not installed";
    }
    ScratchDir folder;
    const std::filesystem::path drives = folder.path() / "drives";
    std::filesystem::create_directories(drives);
    std::ofstream((drives / "a.rec").string()) << formatRecording(MadeDrive("DPI DISK", 30), "made by a test");
    const std::string shot = ORVANE_SCREENSHOTS "/orvane-demo-" + std::to_string(GetParam().dpi) + "dpi.png";
    const std::string command = "cd '" + folder.path().string() + "' && env -u QT_QPA_PLATFORM QT_FONT_DPI="
        + std::to_string(GetParam().dpi) + " xvfb-run -a -s '-screen 0 1400x1000x24' '" ORVANE_DEMO "' --drives '"
        + drives.string() + "' --screenshot '" + shot + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const QImage screen = QImage(QString::fromStdString(shot)).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(screen.isNull());
    // The header band's accent line runs the window's whole width.
    EXPECT_NEAR(widthOf(screen, QColor(0x3d, 0xa5, 0xf4)), GetParam().windowWidth, 2);
}

INSTANTIATE_TEST_SUITE_P(Screens, DemoDpi, ::testing::Values(DpiCase{96, 693}, DpiCase{120, 866}),
                         [](const auto &param) { return std::to_string(param.param.dpi) + "dpi"; });

} // namespace
} // namespace orvane::test
