// SPDX-License-Identifier: MIT
// Saving must never cost the user the settings already on the disk: every failure below
// leaves the old config.xml as it was and no temporary file behind.
#include "core/orvaneerror.h"
#include "settings/config.h"
#include "support/scratchdir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;

std::string saveError(const TConfig &config, const fs::path &path)
{
    try {
        writeConfigFile(config, path);
    } catch (const OrvaneError &error) {
        return error.what();
    }
    return "saved";
}

TConfig someRecord()
{
    TConfig config;
    config.AutoRun = true;
    config.Temp = "55";
    return config;
}

TEST(SaveConfigFile, ReplacesTheFileAndLeavesNothingElse)
{
    test::ScratchDir dir;
    test::writeBytes(dir / "config.xml", "old settings");
    ::chmod((dir / "config.xml").c_str(), 0640);
    writeConfigFile(someRecord(), dir / "config.xml");
    TConfig back;
    readConfigFile(back, dir / "config.xml");
    EXPECT_EQ(back, someRecord());
    EXPECT_EQ(test::listDir(dir.path()), "config.xml ");
    EXPECT_EQ(fs::status(dir / "config.xml").permissions(), static_cast<fs::perms>(0640));

    // A link stays a link; the file it points to gets the new settings.
    fs::rename(dir / "config.xml", dir / "real.xml");
    fs::create_symlink("real.xml", dir / "config.xml");
    writeConfigFile(TConfig{}, dir / "config.xml");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / "config.xml")));
    back = someRecord();
    readConfigFile(back, dir / "real.xml");
    EXPECT_EQ(back, TConfig{});
    EXPECT_EQ(test::listDir(dir.path()), "config.xml real.xml ");
}

TEST(SaveConfigFile, FailuresNameTheFileAndTheReason)
{
    test::ScratchDir dir;
    // The folder does not exist. The message is program text: its path is Windows-1252.
    EXPECT_EQ(saveError(someRecord(), dir / "caf\xC3\xA9" / "config.xml"),
              "Cannot create file \"" + dir.path().string() + "/caf\xE9/config.xml\". No such file or directory");

    // config.xml is a folder: the rename fails, and the folder keeps its content.
    fs::create_directory(dir / "config.xml");
    test::writeBytes(dir / "config.xml" / "inside", "kept");
    EXPECT_EQ(saveError(someRecord(), dir / "config.xml"),
              "Cannot create file \"" + (dir / "config.xml").string() + "\". Is a directory");
    EXPECT_EQ(test::fileBytes(dir / "config.xml" / "inside"), "kept");
    EXPECT_EQ(test::listDir(dir.path()), "config.xml ");
}

// A disk that fills up in the middle of the write, staged with the file-size limit (which
// binds root too): the write fails after 100 bytes.
TEST(SaveConfigFile, AWriteThatFailsHalfwayKeepsTheOldFile)
{
    test::ScratchDir dir;
    const std::string old = std::string(300, 'x') + "<Orvane><Temp>42</Temp></Orvane>";
    test::writeBytes(dir / "config.xml", old);

    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string error = saveError(someRecord(), dir / "config.xml");
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(error, "Cannot create file \"" + (dir / "config.xml").string() + "\". File too large");
    EXPECT_EQ(test::fileBytes(dir / "config.xml"), old);
    EXPECT_EQ(test::listDir(dir.path()), "config.xml ");
}

} // namespace
} // namespace orvane
