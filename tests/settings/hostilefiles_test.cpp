// SPDX-License-Identifier: MIT
// Files that are not what they seem: too large, not regular, links of other users, a folder
// that refuses new files, a file of another user. Reads are bounded and typed; a save writes
// only regular files, keeps the old file's owner and mode, and falls back to rewriting in
// place before it gives up. Some cases need root (to own files as another user); they are
// skipped without it.
#include "core/orvaneerror.h"
#include "settings/config.h"
#include "settings/fileio.h"
#include "support/scratchdir.h"

#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvane {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kOtherUser = 65534; // nobody
constexpr gid_t kOtherGroup = 65534;

std::string errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const OrvaneError &error) {
        return error.what();
    }
    return "no error";
}

// Runs `action` in a child process as `kOtherUser`; true when it returned true.
bool asOtherUser(const std::function<bool()> &action)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setgid(kOtherGroup) == 0 && ::setuid(kOtherUser) == 0;
        bool ok = false;
        try {
            ok = dropped && action();
        } catch (...) {
        }
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TConfig someRecord()
{
    TConfig config;
    config.TempWarn = true;
    config.Temp = "48";
    return config;
}

TEST(ReadingFiles, OnlyRegularFilesOfABoundedSizeAreRead)
{
    test::ScratchDir dir;
    test::writeBytes(dir / "small.xml", "<r/>");
    test::writeBytes(dir / "limit.xml", std::string(kMaxReadBytes, 'x'));
    test::writeBytes(dir / "large.xml", std::string(kMaxReadBytes + 1, 'x'));
    ASSERT_EQ(::mkfifo((dir / "fifo.xml").c_str(), 0600), 0);
    fs::create_directory(dir / "folder.xml");
    fs::create_symlink("/dev/zero", dir / "zero.xml");
    fs::create_symlink("small.xml", dir / "link.xml");

    EXPECT_EQ(readWholeFile(dir / "small.xml"), "<r/>");
    EXPECT_EQ(readWholeFile(dir / "link.xml"), "<r/>");
    EXPECT_EQ(readWholeFile(dir / "limit.xml").size(), kMaxReadBytes);
    EXPECT_EQ(readWholeFile(dir / "small.xml", 4), "<r/>");
    const struct
    {
        std::string name, reason;
        std::uintmax_t limit = kMaxReadBytes;
    } refused[] = {
        {"large.xml", "File too large"},    {"small.xml", "File too large", 3},
        {"fifo.xml", "Not a regular file"}, // no writer: it must not wait for one
        {"folder.xml", "Is a directory"},   {"zero.xml", "Not a regular file"},
    };
    for (const auto &c : refused) {
        EXPECT_EQ(errorOf([&] { (void)readWholeFile(dir / c.name, c.limit); }),
                  "Cannot open file \"" + (dir / c.name).string() + "\". " + c.reason);
    }
}

TEST(ReadingFiles, ASettingsFileThatIsNotAFileIsALoadErrorNotAFirstStart)
{
    test::ScratchDir dir;
    for (const std::string name : {"folder", "fifo", "large"}) {
        const fs::path path = dir / name / "config.xml";
        fs::create_directories(path.parent_path());
        if (name == "folder") {
            fs::create_directory(path);
        } else if (name == "fifo") {
            ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        } else {
            test::writeBytes(path, "<Orvane>" + std::string(2 << 20, ' ') + "</Orvane>");
        }
        TConfig config;
        EXPECT_EQ(errorOf([&] { readConfigFile(config, path); }).rfind("Cannot open file \"" + path.string(), 0), 0u)
            << name;
        EXPECT_EQ(config, TConfig{}) << name;
    }
}

TEST(SavingFiles, LinksAreFollowedOnlyToRegularFilesAndOnlyWhenTheyAreOurs)
{
    test::ScratchDir dir;
    // Our own link to a missing file: the link stays, the file is created where it points.
    fs::create_directory(dir / "real");
    fs::create_symlink("real/settings.xml", dir / "dangling.xml");
    writeConfigFile(someRecord(), dir / "dangling.xml");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / "dangling.xml")));
    TConfig back;
    readConfigFile(back, dir / "real/settings.xml");
    EXPECT_EQ(back, someRecord());

    // A link to a pipe, and a link to a folder: refused, the pipe and the folder stay.
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_symlink("fifo", dir / "tofifo.xml");
    fs::create_symlink("real", dir / "tofolder.xml");
    ASSERT_EQ(::mkfifo((dir / "plainfifo.xml").c_str(), 0600), 0);
    const struct
    {
        std::string name, reason;
    } refused[] = {
        {"tofifo.xml", "Not a regular file"},
        {"plainfifo.xml", "Not a regular file"},
        {"tofolder.xml", "Is a directory"},
    };
    for (const auto &c : refused) {
        EXPECT_EQ(errorOf([&] { writeConfigFile(someRecord(), dir / c.name); }),
                  "Cannot create file \"" + (dir / c.name).string() + "\". " + c.reason);
    }
    EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
    EXPECT_TRUE(fs::is_fifo(dir / "plainfifo.xml"));
    EXPECT_EQ(test::listDir(dir / "real"), "settings.xml ");
}

TEST(SavingFiles, ALinkOfAnotherUserIsNotFollowed)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to plant a link of another user";
    }
    test::ScratchDir dir;
    test::writeBytes(dir / "root-only", "secret");
    ::chmod((dir / "root-only").c_str(), 0600);
    fs::create_symlink(dir / "root-only", dir / "config.xml");
    ASSERT_EQ(::lchown((dir / "config.xml").c_str(), kOtherUser, kOtherGroup), 0);

    EXPECT_EQ(errorOf([&] { writeConfigFile(someRecord(), dir / "config.xml"); }),
              "Cannot create file \"" + (dir / "config.xml").string() + "\". The link \""
                  + (dir / "config.xml").string() + "\" belongs to another user");
    EXPECT_EQ(test::fileBytes(dir / "root-only"), "secret");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir / "config.xml")));
    // A link of root is followed, as one of the user's own.
    ASSERT_EQ(::lchown((dir / "config.xml").c_str(), 0, 0), 0);
    writeConfigFile(someRecord(), dir / "config.xml");
    EXPECT_NE(test::fileBytes(dir / "root-only").find("<Temp>48</Temp>"), std::string::npos);
}

TEST(SavingFiles, TheReplacedFileKeepsItsOwnerGroupAndMode)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to save a file of another user";
    }
    test::ScratchDir dir;
    const fs::path path = dir / "config.xml";
    test::writeBytes(path, "old");
    ASSERT_EQ(::chown(path.c_str(), kOtherUser, kOtherGroup), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    writeConfigFile(someRecord(), path);
    struct stat saved
    {
    };
    ASSERT_EQ(::stat(path.c_str(), &saved), 0);
    EXPECT_EQ(saved.st_uid, kOtherUser);
    EXPECT_EQ(saved.st_gid, kOtherGroup);
    EXPECT_EQ(saved.st_mode & 07777, 0640u);
    EXPECT_NE(test::fileBytes(path).find("<Temp>48</Temp>"), std::string::npos);
    EXPECT_EQ(test::listDir(dir.path()), "config.xml ");
}

// A folder the user may not write, around a settings file the user may write: the file is
// rewritten in place. Root may write any folder, so the save then runs as another user.
TEST(SavingFiles, AReadOnlyFolderAroundAWritableFileIsRewrittenInPlace)
{
    test::ScratchDir dir;
    const fs::path folder = dir / "readonly";
    const fs::path path = folder / "config.xml";
    fs::create_directory(folder);
    test::writeBytes(path, std::string(2000, 'x'));
    const auto save = [&] { return (writeConfigFile(someRecord(), path), true); };
    if (::geteuid() == 0) {
        ::chmod(dir.path().c_str(), 0711);
        ASSERT_EQ(::chown(folder.c_str(), kOtherUser, kOtherGroup), 0);
        ASSERT_EQ(::chown(path.c_str(), kOtherUser, kOtherGroup), 0);
        ::chmod(folder.c_str(), 0500);
        EXPECT_TRUE(asOtherUser(save));
    } else {
        ::chmod(folder.c_str(), 0500);
        EXPECT_NO_THROW(save());
    }
    ::chmod(folder.c_str(), 0700);
    TConfig back;
    readConfigFile(back, path);
    EXPECT_EQ(back, someRecord());
    EXPECT_EQ(test::listDir(folder), "config.xml ");

    // Neither the folder nor the file may be written: the save fails and says why.
    ::chmod(folder.c_str(), 0500);
    ::chmod(path.c_str(), 0400);
    const auto refused = [&] {
        return errorOf([&] { writeConfigFile(TConfig{}, path); })
            == "Cannot create file \"" + path.string() + "\". Permission denied";
    };
    EXPECT_TRUE(::geteuid() == 0 ? asOtherUser(refused) : refused());
    ::chmod(folder.c_str(), 0700);
    readConfigFile(back, path);
    EXPECT_EQ(back, someRecord());
}

TEST(SavingFiles, AFileMovedAsideGetsAFreeBackupName)
{
    test::ScratchDir dir;
    const fs::path path = dir / "config.xml";
    EXPECT_EQ(moveFileAside(path), fs::path());
    test::writeBytes(path, "first");
    EXPECT_EQ(moveFileAside(path), dir / "config.xml.bak");
    test::writeBytes(path, "second");
    EXPECT_EQ(moveFileAside(path), dir / "config.xml.bak.1");
    EXPECT_EQ(test::fileBytes(dir / "config.xml.bak"), "first");
    EXPECT_EQ(test::fileBytes(dir / "config.xml.bak.1"), "second");
    EXPECT_EQ(test::listDir(dir.path()), "config.xml.bak config.xml.bak.1 ");
}

} // namespace
} // namespace orvane
