// SPDX-License-Identifier: MIT
#include "drive/attributes.h"
#include "drive/identity.h"
#include "platform/replay/driverecording.h"
#include "platform/replay/replaydrivecontrol.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

std::string hexBytes(std::size_t count, const char *pair = "00")
{
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += pair;
        out += (i % 16 == 15) ? "\n" : " ";
    }
    return out;
}

const std::string kHeader = "orvane-drive-recording 1\n";

TEST(ParseRecording, ReadsEveryLineKind)
{
    const std::string text = kHeader + "# a comment\n\nversion 1f\nenable ok\nidentify\n" + hexBytes(511)
        + "\n   # a comment inside the bytes\n7f\nattributes\n" + std::string(1024, '0') + "\n";
    const DriveRecording r = parseRecording(text, "x.rec");
    EXPECT_EQ(r.deviceMap, 0x1F);
    EXPECT_TRUE(r.enableOk);
    ASSERT_TRUE(r.identify);
    EXPECT_EQ((*r.identify)[511], 0x7F);
    ASSERT_TRUE(r.attributes); // pairs with no white space between them
    EXPECT_FALSE(r.thresholds);
}

TEST(ParseRecording, MissingLinesMeanFailingRequests)
{
    const DriveRecording r = parseRecording(kHeader, "x.rec");
    EXPECT_FALSE(r.deviceMap);
    EXPECT_FALSE(r.enableOk);
    EXPECT_FALSE(r.identify || r.attributes || r.thresholds);
}

TEST(ParseRecording, RefusesBrokenFilesNamingFileAndLine)
{
    struct Case
    {
        std::string text, message;
    };
    const Case cases[] = {
        {"", "x.rec:1: the first line must be \"orvane-drive-recording 1\""},
        {"orvane-drive-recording 2\n", "x.rec:1: the first line"},
        {kHeader + "version 1\n", "x.rec:2: \"version\" takes the device map as two hex digits"},
        {kHeader + "version 01\nversion 02\n", "x.rec:3: a second \"version\" line"},
        {kHeader + "enable yes\n", "x.rec:2: \"enable\" takes \"ok\" or \"fail\""},
        {kHeader + "enable ok\nenable ok\n", "x.rec:3: a second \"enable\" line"},
        {kHeader + "smart\n", "x.rec:2: unknown line \"smart\""},
        {kHeader + "identify 00\n", "x.rec:2: \"identify\" takes no argument"},
        {kHeader + "identify\n" + hexBytes(100), "x.rec:9: the identify section ends after 100 of 512 bytes"},
        {kHeader + "identify\n" + hexBytes(16) + "thresholds\n", "x.rec:4: the identify section ends after 16"},
        {kHeader + "attributes\n" + hexBytes(512) + "00\n", "x.rec:35: unknown line \"00\""},
        {kHeader + "attributes\n" + hexBytes(511) + "00 00\n", "x.rec:34: the attributes section holds more than"},
        {kHeader + "thresholds\n0 0\n", "x.rec:3: \"0 \" is not a pair of hex digits"},
        {kHeader + "thresholds\n00 0g\n", "x.rec:3: \"0g\" is not a pair of hex digits"},
        {kHeader + "thresholds\n000\n", "x.rec:3: \"0\" is not a pair of hex digits"},
        {kHeader + "identify\n" + hexBytes(512) + "identify\n" + hexBytes(512), "a second \"identify\" section"},
        // A section cut short by the next keyword, even one that starts like a hex pair.
        {kHeader + "identify\n" + hexBytes(16) + "attributes\n", "x.rec:4: the identify section ends after 16 of 512"},
        {kHeader + "thresholds\n" + hexBytes(32) + "  enable ok\n", "x.rec:5: the thresholds section ends after 32"},
        // Bytes that would act on a terminal, or end the message early, are shown escaped.
        {kHeader + "\x1b]0;owned\x07\n", "x.rec:2: unknown line \"\\x1b]0;owned\\x07\""},
        {kHeader + std::string("sm\0rt\n", 6), "x.rec:2: unknown line \"sm\\x00rt\""},
        {kHeader + "thresholds\n0\x7f\n", "x.rec:3: \"0\\x7f\" is not a pair of hex digits"},
    };
    for (const Case &c : cases) {
        try {
            (void)parseRecording(c.text, "x.rec");
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const RecordingError &e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos)
                << "got: " << e.what() << "\nwanted: " << c.message;
        }
    }
}

TEST(ParseRecording, CommentsMayFollowAValue)
{
    const std::string text = kHeader + "version 01        # the device map\nenable ok # or fail\nidentify   # bytes\n"
        + hexBytes(16, "4a") + "# a line of its own\n" + hexBytes(495, "0c") + "0c # the last byte, 0d 0e\n";
    const DriveRecording r = parseRecording(text, "x.rec");
    EXPECT_EQ(r.deviceMap, 0x01);
    EXPECT_TRUE(r.enableOk);
    ASSERT_TRUE(r.identify);
    EXPECT_EQ((*r.identify)[0], 0x4a);
    EXPECT_EQ((*r.identify)[511], 0x0c);
}

// The example of the format in README.md, as written there, with its elided bytes ("...")
// filled in.
TEST(ParseRecording, ReadsTheExampleInTheReadme)
{
    std::ifstream readme(ORVANE_SOURCE_DIR "/README.md");
    const std::string text{std::istreambuf_iterator<char>(readme), std::istreambuf_iterator<char>()};
    const auto start = text.find("```\norvane-drive-recording 1");
    ASSERT_NE(start, std::string::npos) << "README.md has no recording example";
    const std::string example = text.substr(start + 4, text.find("```", start + 4) - start - 4);
    std::string filled;
    std::istringstream lines(example);
    std::size_t sectionSize = 512; // the Identify Controller data of an NVMe drive is 4096 bytes
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.front() != '.' && line.front() != '#') {
            sectionSize = line.starts_with("nvme-identify") ? 4096 : 512;
        }
        if (line == "...") {
            filled += hexBytes(sectionSize, "5a") + "\n";
        } else if (const auto dots = line.find(" ..."); dots != std::string::npos) {
            filled += line.substr(0, dots) + "\n" + hexBytes(512 - (dots + 1) / 3, "5a") + "\n";
        } else {
            filled += line + "\n";
        }
    }
    const DriveRecording r = parseRecording(filled, "README.md");
    EXPECT_EQ(r.deviceMap, 0x01);
    EXPECT_TRUE(r.enableOk);
    ASSERT_TRUE(r.identify && r.attributes && r.thresholds);
    EXPECT_EQ((*r.identify)[0], 0x4a);
    EXPECT_EQ((*r.identify)[4], 0x5a);
    EXPECT_TRUE(r.nvmeIdentify && r.nvmeHealth);
}

// FIFOs and device nodes are POSIX files: the Windows build has none to refuse.
#ifndef _WIN32
TEST(LoadRecording, NamesAFileThatCannotBeReadAndWhy)
{
    const auto dir = std::filesystem::temp_directory_path() / ("orvane-rec-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "large.rec") << kHeader << std::string(kMaxRecordingBytes, '#');
    ::mkfifo((dir / "fifo.rec").c_str(), 0600);
    const struct
    {
        std::string path, message;
    } cases[] = {
        {"/nonexistent/drive.rec", "/nonexistent/drive.rec: cannot be read: No such file or directory"},
        {dir.string(), dir.string() + ": cannot be read: Is a directory"},
        {"/dev/zero", "/dev/zero: cannot be read: not a regular file"},
        {(dir / "fifo.rec").string(), (dir / "fifo.rec").string() + ": cannot be read: not a regular file"},
        {(dir / "large.rec").string(), (dir / "large.rec").string() + ": cannot be read: larger than 1048576 bytes"},
    };
    for (const auto &c : cases) {
        try {
            (void)loadRecording(c.path);
            ADD_FAILURE() << "loaded " << c.path;
        } catch (const RecordingError &e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
    // One type catches every error the program raises.
    EXPECT_THROW((void)loadRecording("/nonexistent/drive.rec"), OrvaneError);
    std::filesystem::remove_all(dir);
}
#endif

TEST(FormatRecording, RoundTripsEverySection)
{
    DriveRecording r;
    r.deviceMap = 0x20;
    r.enableOk = true;
    r.identify.emplace();
    r.thresholds.emplace();
    for (std::size_t i = 0; i < kSectorSize; ++i) {
        (*r.identify)[i] = static_cast<std::uint8_t>(i);
        (*r.thresholds)[i] = static_cast<std::uint8_t>(255 - i);
    }
    const std::string text = formatRecording(r, "line one\nline two");
    EXPECT_EQ(text.rfind(kHeader + "# line one\n# line two\nversion 20\nenable ok\nidentify\n00 01", 0), 0u);
    const DriveRecording back = parseRecording(text, "x.rec");
    EXPECT_EQ(back.deviceMap, r.deviceMap);
    EXPECT_EQ(back.enableOk, r.enableOk);
    EXPECT_EQ(back.identify, r.identify);
    EXPECT_FALSE(back.attributes);
    EXPECT_EQ(back.thresholds, r.thresholds);
}

// A recording with identify, attributes and thresholds, model "REPLAY", temperature 41.
DriveRecording sampleDrive(bool withThresholds)
{
    DriveRecording r;
    r.deviceMap = 0x01;
    r.enableOk = true;
    r.identify.emplace();
    r.identify->fill(0);
    (*r.identify)[kModelOffset] = 'E';
    (*r.identify)[kModelOffset + 1] = 'R';
    r.attributes.emplace();
    r.attributes->fill(0);
    (*r.attributes)[2] = 194;
    (*r.attributes)[5] = 100;
    (*r.attributes)[7] = 41;
    if (withThresholds) {
        r.thresholds.emplace();
        r.thresholds->fill(0);
        (*r.thresholds)[3] = 9;
    }
    return r;
}

TEST(ReplayDriveControl, AnswersWhatTheRecordingHoldsThroughTheTransport)
{
    ReplayDriveControl control;
    control.addDrive(0, sampleDrive(true));
    control.addDrive(2, sampleDrive(false));
    DriveTransport transport(control);
    EXPECT_TRUE(transport.DriveExists(0));
    EXPECT_FALSE(transport.DriveExists(1));
    EXPECT_EQ(ReadDriveModel(transport, 0).substr(0, 2), "RE");
    EXPECT_EQ(ReadTemperature(transport, 0), (TAttrReading{41, 9, 100, 0}));
    EXPECT_EQ(ReadTemperature(transport, 2), (TAttrReading{41, 0, 100, 0}));
    EXPECT_EQ(control.openHandles(), 0u);
}

TEST(ReplayDriveControl, RefusesCommandsADriveWouldAbort)
{
    ReplayDriveControl control;
    control.addDrive(0, sampleDrive(true));
    DriveTransport transport(control);
    DriveHandle handle = transport.OpenPhysicalDrive("0");
    SENDCMDINPARAMS command{};
    ASSERT_TRUE(transport.ReadSmartAttributes(handle, command, 0));
    std::array<std::uint8_t, kDataReplySize> out{};
    command.irDriveRegs.bCylHighReg = 0; // no S.M.A.R.T. signature
    EXPECT_FALSE(control.deviceIoControl(handle.get(), kSmartRcvDriveData,
                                         {reinterpret_cast<std::uint8_t *>(&command), kCommandBytesSent}, out));
    command.irDriveRegs.bCylHighReg = kSmartCylHigh;
    EXPECT_FALSE(control.deviceIoControl(handle.get(), kSmartRcvDriveData,
                                         {reinterpret_cast<std::uint8_t *>(&command), 10}, out));
    EXPECT_FALSE(control.deviceIoControl(12345, kSmartGetVersion, {}, out));
}

} // namespace
} // namespace orvane
