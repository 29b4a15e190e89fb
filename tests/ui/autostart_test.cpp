// SPDX-License-Identifier: MIT
// Starting with the desktop session: the autostart entry that the AutoRun box manages.
#include "platform/linux/xdgautostart.h"
#include "uitestsupport.h"

#include <QCheckBox>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace orvane::test {
namespace {

std::string fileText(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string execLine(const std::string &entry)
{
    std::istringstream lines(entry);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Exec=", 0) == 0) {
            return line.substr(5);
        }
    }
    return {};
}

TEST(Autorun, EntryPathFollowsXdgConfigHomeOnlyWhenAbsolute)
{
    struct Case
    {
        const char *xdg;
        const char *home;
        const char *path;
    };
    const Case cases[] = {
        {"/cfg", "/home/u", "/cfg/autostart/Orvane.desktop"},
        {"relative/cfg", "/home/u", "/home/u/.config/autostart/Orvane.desktop"},
        {"", "/home/u", "/home/u/.config/autostart/Orvane.desktop"},
        {nullptr, "/home/u", "/home/u/.config/autostart/Orvane.desktop"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(AutostartEntryPath(c.xdg, c.home), c.path) << (c.xdg ? c.xdg : "(unset)");
    }
}

TEST(Autorun, ExecQuotesThePathSoItStaysOneArgument)
{
    struct Case
    {
        const char *path;
        const char *exec;
    };
    const Case cases[] = {
        {"/opt/Orvane/orvane", R"("/opt/Orvane/orvane")"},
        {"/home/u/My Programs/orvane", R"("/home/u/My Programs/orvane")"},
        {R"(/tmp/a"b$c`d\e%f)", R"("/tmp/a\\"b\\$c\\`d\\\\e%%f")"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(execLine(AutostartEntryText(c.path)), c.exec) << c.path;
    }
}

// desktop-file-validate, when installed, must accept what we write.
bool validates(const std::string &file, std::string &output)
{
    if (std::system("command -v desktop-file-validate >/dev/null 2>&1") != 0) {
        return true;
    }
    const std::string report = file + ".report";
    const int status = std::system(("desktop-file-validate '" + file + "' >'" + report + "' 2>&1").c_str());
    output = fileText(report);
    return status == 0 && output.find("error") == std::string::npos;
}

TEST(Autorun, TickingWritesAValidEntryAndClearingRemovesIt)
{
    FormHarness h;
    h.places.executablePath = (h.folder.path() / "My Programs" / "orvane \"x\" $HOME").string();
    TOrvane_Form &form = h.create();
    form.AutoRun_CheckBox->setChecked(true);
    const std::string entry = fileText(h.autostart.file());
    EXPECT_EQ(execLine(entry), "\"" + (h.folder.path() / "My Programs").string() + "/orvane \\\\\"x\\\\\" \\\\$HOME\"");
    std::string report;
    EXPECT_TRUE(validates(h.autostart.file(), report)) << report;
    EXPECT_EQ(h.logMessages(), std::vector<std::string>{"ENABLED autorun"});

    form.AutoRun_CheckBox->setChecked(false);
    EXPECT_FALSE(std::filesystem::exists(h.autostart.file()));
    // Clearing again with no entry left is no error.
    form.DisableAutoRun();
    EXPECT_EQ(h.logMessages(), (std::vector<std::string>{"ENABLED autorun", "DISABLED autorun", "DISABLED autorun"}));
    EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST(Autorun, EnablingAgainRewritesTheEntryWithTheRunningProgram)
{
    FormHarness h;
    std::filesystem::create_directories(std::filesystem::path(h.autostart.file()).parent_path());
    std::ofstream(h.autostart.file()) << "[Desktop Entry]\nExec=/old/place/orvane\n";
    TOrvane_Form &form = h.create();
    form.EnableAutoRun();
    EXPECT_EQ(execLine(fileText(h.autostart.file())), "\"" + h.places.executablePath + "\"");
}

TEST(Autorun, AnEntryThatCannotBeWrittenIsOnlyLogged)
{
    FormHarness h;
    // The autostart folder is a file: the entry cannot be written.
    std::filesystem::create_directories(h.folder.path() / "config");
    std::ofstream((h.folder.path() / "config" / "autostart").string()) << "";
    TOrvane_Form &form = h.create();
    form.EnableAutoRun();
    EXPECT_EQ(h.logMessages(), std::vector<std::string>{"ENABLED autorun"});
    EXPECT_FALSE(WriteAutostartEntry(h.autostart.file(), h.places.executablePath));
    EXPECT_FALSE(WriteAutostartEntry((h.folder.path() / "x.desktop").string(), "/bin/with\nbreak"));
    EXPECT_FALSE(std::filesystem::exists(h.folder.path() / "x.desktop"));
}

// Only a regular file is written or removed as the entry; a link of the user's own is
// followed and stays a link.
TEST(Autorun, OnlyARegularFileIsTheEntry)
{
    FormHarness h;
    const std::filesystem::path entry = h.autostart.file();
    std::filesystem::create_directories(entry.parent_path());

    ASSERT_EQ(::mkfifo(entry.c_str(), 0600), 0);
    EXPECT_FALSE(WriteAutostartEntry(entry.string(), h.places.executablePath));
    RemoveAutostartEntry(entry.string());
    EXPECT_TRUE(std::filesystem::is_fifo(entry));
    std::filesystem::remove(entry);

    std::filesystem::create_directory(entry);
    RemoveAutostartEntry(entry.string());
    EXPECT_TRUE(std::filesystem::is_directory(entry));
    std::filesystem::remove(entry);

    std::filesystem::create_symlink(h.folder.path() / "kept.desktop", entry);
    EXPECT_TRUE(WriteAutostartEntry(entry.string(), h.places.executablePath));
    EXPECT_TRUE(std::filesystem::is_symlink(std::filesystem::symlink_status(entry)));
    EXPECT_EQ(execLine(fileText((h.folder.path() / "kept.desktop").string())), "\"" + h.places.executablePath + "\"");
    RemoveAutostartEntry(entry.string());
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(entry)));
}

} // namespace
} // namespace orvane::test
