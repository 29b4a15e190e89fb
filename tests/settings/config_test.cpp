// SPDX-License-Identifier: MIT
#include "core/orvaneerror.h"
#include "settings/loadconfig.h"
#include "support/filefaults.h"
#include "support/scratchdir.h"

#include <clocale>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace orvane {
namespace {

// The file a fresh record is saved as, line by line.
const std::string kInitialFile = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n"
                                 "<Orvane>\r\n"
                                 "  <AutoRun>0</AutoRun>\r\n"
                                 "  <LogEvents>0</LogEvents>\r\n"
                                 "  <SystemLog>0</SystemLog>\r\n"
                                 "  <DiskStatus>0</DiskStatus>\r\n"
                                 "  <Hibernation>0</Hibernation>\r\n"
                                 "  <TempWarn>0</TempWarn>\r\n"
                                 "  <Temp/>\r\n"
                                 "  <PopupNotification>0</PopupNotification>\r\n"
                                 "  <EmailNotification>0</EmailNotification>\r\n"
                                 "  <EmailAddr/>\r\n"
                                 "  <PlaySound>0</PlaySound>\r\n"
                                 "  <SoundPath/>\r\n"
                                 "</Orvane>";

std::string replaced(std::string text, const std::string &from, const std::string &to)
{
    text.replace(text.find(from), from.size(), to);
    return text;
}

std::string errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const OrvaneError &error) {
        return error.what();
    }
    return "no error";
}

TEST(ConfigFile, WritesTheInitialRecordByteForByte)
{
    test::ScratchDir dir;
    writeConfigFile(TConfig{}, dir / "config.xml");
    EXPECT_EQ(test::fileBytes(dir / "config.xml"), kInitialFile);
    EXPECT_EQ(kInitialFile.size(), 392u);

    TConfig config;
    config.AutoRun = true;
    config.Temp = "50";
    config.SoundPath = "alert.wav";
    writeConfigFile(config, dir / "config.xml");
    std::string expected = replaced(kInitialFile, "<AutoRun>0", "<AutoRun>-1");
    expected = replaced(expected, "<Temp/>", "<Temp>50</Temp>");
    expected = replaced(expected, "<SoundPath/>", "<SoundPath>alert.wav</SoundPath>");
    EXPECT_EQ(test::fileBytes(dir / "config.xml"), expected);
}

TEST(ConfigFile, RecordsComeBackAsTheyWereSaved)
{
    TConfig allOn{true,  true,
                  true,  true,
                  true,  true,
                  "300", true,
                  true,  "ops&dev@example.com",
                  true,  "C:\\Sounds\\<loud> & \xE9t\xE9.wav"};
    TConfig someOn;
    someOn.Hibernation = someOn.PlaySound = true;
    someOn.EmailAddr = "a>b";
    TConfig sectionEnd; // a text holding "]]>" once cut the file short there
    sectionEnd.EmailAddr = "a]]><b";
    sectionEnd.PlaySound = true;
    sectionEnd.SoundPath = "x]]>y.wav";
    test::ScratchDir dir;
    for (const TConfig &record : {TConfig{}, firstStartConfig(), allOn, sectionEnd, someOn}) {
        writeConfigFile(record, dir / "config.xml");
        TConfig back;
        back.Temp = "stale";
        readConfigFile(back, dir / "config.xml");
        EXPECT_EQ(back, record) << test::fileBytes(dir / "config.xml");
    }
    EXPECT_NE(test::fileBytes(dir / "config.xml").find("<EmailAddr><![CDATA[a>b]]></EmailAddr>"), std::string::npos);

    // Blanks around a text do not survive; everything inside it does.
    TConfig padded;
    padded.SoundPath = " my  alert.wav ";
    writeConfigFile(padded, dir / "config.xml");
    readConfigFile(padded, dir / "config.xml");
    EXPECT_EQ(padded.SoundPath, "my  alert.wav");
}

TEST(ConfigFile, ReadsHandEditedFiles)
{
    const std::string head = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n";
    const struct
    {
        std::string what, text;
        bool autoRun, tempWarn;
        std::string temp, soundPath;
    } cases[] = {
        {"another order", "<Orvane><Temp>60</Temp><TempWarn>-1</TempWarn><AutoRun>1</AutoRun></Orvane>", true, true,
         "60", "alert.wav"},
        {"unknown keys", "<Orvane><Colour>red</Colour><AutoRun>True</AutoRun></Orvane>", true, false, "50",
         "alert.wav"},
        {"the first of two wins", "<Orvane><AutoRun>0</AutoRun><AutoRun>-1</AutoRun></Orvane>", false, false, "50",
         "alert.wav"},
        {"names are case-sensitive", "<Orvane><autorun>-1</autorun><temp>70</temp></Orvane>", false, false, "50",
         "alert.wav"},
        {"any root name", "<Settings><TempWarn>-1</TempWarn></Settings>", false, true, "50", "alert.wav"},
        {"only children of the root", "<Orvane><Group><AutoRun>-1</AutoRun></Group></Orvane>", false, false, "50",
         "alert.wav"},
        {"present but empty", "<Orvane><Temp/><SoundPath></SoundPath></Orvane>", false, false, "", ""},
        {"a comment", "<!-- hand edited --><Orvane><Temp>45</Temp></Orvane>", false, false, "45", "alert.wav"},
        {"cut off", head + "<Orvane>\r\n  <AutoRun>-1</AutoRun>\r\n  <TempWarn>-1</TempWarn>\r\n  <Temp>6", true, true,
         "", "alert.wav"},
        {"broken declaration", "<?xml version=\"1.0\"\r\n<Orvane><AutoRun>-1</AutoRun></Orvane>", false, false, "50",
         "alert.wav"},
        {"empty file", "", false, false, "50", "alert.wav"},
    };
    test::ScratchDir dir;
    for (const auto &c : cases) {
        test::writeBytes(dir / "config.xml", c.text);
        TConfig config;
        readConfigFile(config, dir / "config.xml");
        EXPECT_EQ(config.AutoRun, c.autoRun) << c.what;
        EXPECT_EQ(config.TempWarn, c.tempWarn) << c.what;
        EXPECT_EQ(config.Temp, c.temp) << c.what;
        EXPECT_EQ(config.SoundPath, c.soundPath) << c.what;
        EXPECT_EQ(config.EmailAddr, "") << c.what;
    }
}

TEST(ConfigFile, FaultsThatEndTheLoad)
{
    test::ScratchDir dir;
    const auto path = dir / "config.xml";

    // Absent: the first-start record, no error. A directory is no settings file: an error.
    TConfig config;
    readConfigFile(config, path);
    EXPECT_EQ(config, firstStartConfig());
    std::filesystem::create_directory(path);
    config = {};
    const std::string refused = errorOf([&] { readConfigFile(config, path); });
#ifdef _WIN32
    // Windows names the refusal in its own words ("Access is denied.").
    EXPECT_TRUE(refused.starts_with("Cannot open file \"" + path.string() + "\". ")) << refused;
#else
    EXPECT_EQ(refused, "Cannot open file \"" + path.string() + "\". Is a directory");
#endif
    EXPECT_EQ(config, TConfig{});
    std::filesystem::remove(path);

    // A flag that is not a boolean: the fields before it are assigned, the rest are not.
    test::writeBytes(path, "<Orvane><Temp>70</Temp><AutoRun>-1</AutoRun><TempWarn>yes</TempWarn></Orvane>");
    config = {};
    config.EmailAddr = "kept";
    EXPECT_EQ(errorOf([&] { readConfigFile(config, path); }), "'yes' is not a valid boolean value");
    EXPECT_TRUE(config.AutoRun);
    EXPECT_EQ(config.Temp, "");
    EXPECT_EQ(config.EmailAddr, "kept");
    test::writeBytes(path, "<Orvane><AutoRun/></Orvane>");
    EXPECT_EQ(errorOf([&] { readConfigFile(config, path); }), "'' is not a valid boolean value");

    // There but unreadable, even for root. Nothing is assigned.
    std::filesystem::remove(path);
    const test::UnreadableFile unreadable(path);
    config = {};
    EXPECT_EQ(errorOf([&] { readConfigFile(config, path); }),
              "Cannot open file \"" + path.string() + "\". " + test::UnreadableFile::reason());
    EXPECT_EQ(config, TConfig{});
}

TEST(ConfigValues, TextToFlag)
{
    const struct
    {
        const char *text;
        bool flag;
    } accepted[] = {{"-1", true},    {"1", true},    {"0", false},   {"00", false},    {"0.0", false},
                    {".5", true},    {"2.", true},   {" 1 ", true},  {"+0", false},    {"1e3", true},
                    {"0E-2", false}, {"True", true}, {"tRUE", true}, {"false", false}, {"FALSE", false}};
    for (const auto &c : accepted) {
        EXPECT_EQ(textToFlag(c.text), c.flag) << c.text;
    }
    for (const char *text : {"", " ", "yes", "1,5", "0x1", "inf", "nan", ".", "-", "1e", "1 0", " True", "Truex"}) {
        EXPECT_EQ(errorOf([&] { (void)textToFlag(text); }), "'" + std::string(text) + "' is not a valid boolean value");
    }
    EXPECT_EQ(flagToText(true), "-1");
    EXPECT_EQ(flagToText(false), "0");
}

// Switches LC_NUMERIC to a German locale (decimal comma), built into `dir` where the system
// needs that; false when this system has none.
bool useGermanNumbers(const std::filesystem::path &dir)
{
#ifdef _WIN32
    (void)dir;
    return std::setlocale(LC_NUMERIC, "German_Germany.1252") != nullptr;
#else
    const std::string build = "localedef -i de_DE -f UTF-8 " + (dir / "de_DE.UTF-8").string() + " >/dev/null 2>&1";
    if (std::system(build.c_str()) != 0) {
        return false;
    }
    ::setenv("LOCPATH", dir.c_str(), 1);
    return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
#endif
}

// Back to the "C" numbers after useGermanNumbers.
void useCNumbers()
{
    std::setlocale(LC_NUMERIC, "C");
#ifndef _WIN32
    ::unsetenv("LOCPATH");
#endif
}

// A German LC_NUMERIC (decimal comma); on Linux built with localedef into a scratch folder.
TEST(ConfigValues, TextToFlagUsesTheLocalesDecimalSeparator)
{
    test::ScratchDir dir;
    if (!useGermanNumbers(dir.path())) {
        useCNumbers();
        GTEST_SKIP() << "no German locale here";
    }
    EXPECT_TRUE(textToFlag("1,5"));
    EXPECT_FALSE(textToFlag("0,0"));
    EXPECT_THROW((void)textToFlag("1.5"), OrvaneError);
    useCNumbers();
    EXPECT_TRUE(textToFlag("1.5"));
}

TEST(ConfigValues, CritTempFromText)
{
    const struct
    {
        const char *text;
        int critTemp;
    } cases[] = {
        {"50", 50},         {"300", 44},        {"", 0},     {"abc", 0}, {"50.5", 0},         {"50 ", 0},
        {" 50", 50},        {"+7", 7},          {"-1", 255}, {"256", 0}, {"2147483647", 255}, {"2147483648", 0},
        {"-2147483647", 1}, {"-2147483649", 0}, {"-", 0}};
    for (const auto &c : cases) {
        EXPECT_EQ(critTempFromText(c.text), c.critTemp) << c.text;
    }
}

// Stands in for the Preferences page and notes every call in order.
class RecordingControls : public SettingsSink
{
public:
    void showFlag(ConfigFlag box, bool checked) override
    {
        static const char *const names[] = {"AutoRun",  "LogEvents",   "SystemLogEvents", "DiskStatus", "Hibernate",
                                            "TempWarn", "PopupNotify", "EmailNotify",     "SndFile"};
        calls.push_back(std::string(names[static_cast<int>(box)]) + (checked ? "+" : "-"));
    }
    void showText(ConfigText edit, const std::string &text) override
    {
        static const char *const names[] = {"CritTemp", "Email", "SoundPath"};
        calls.push_back(std::string(names[static_cast<int>(edit)]) + "=" + text);
    }
    std::vector<std::string> calls;
};

TEST(LoadConfig, FillsTheRecordThenTheControlsThenCritTemp)
{
    test::ScratchDir dir;
    test::InDirectory inDir(dir.path());
    TConfig config;
    config.AutoRun = config.TempWarn = config.PlaySound = true;
    config.Temp = "300";
    config.EmailAddr = "me@example.com";
    SaveConfig(config);
    EXPECT_TRUE(std::filesystem::exists(dir / "config.xml"));

    TConfig loaded;
    std::uint8_t critTemp = 7;
    RecordingControls controls;
    LoadConfig(loaded, critTemp, controls);
    EXPECT_EQ(loaded, config);
    EXPECT_EQ(critTemp, 44);
    EXPECT_EQ(controls.calls,
              (std::vector<std::string>{"AutoRun+", "LogEvents-", "SystemLogEvents-", "DiskStatus-", "Hibernate-",
                                        "TempWarn+", "CritTemp=300", "PopupNotify-", "EmailNotify-",
                                        "Email=me@example.com", "SndFile+", "SoundPath="}));

    // The first start: no file, the page's own values, an alert at 50.
    std::filesystem::remove(dir / "config.xml");
    loaded = {};
    controls.calls.clear();
    LoadConfig(loaded, critTemp, controls);
    EXPECT_EQ(critTemp, 50);
    EXPECT_EQ(controls.calls[6], "CritTemp=50");
    EXPECT_EQ(controls.calls[11], "SoundPath=alert.wav");
}

TEST(LoadConfig, AFaultTouchesNoControlAndLeavesCritTemp)
{
    test::ScratchDir dir;
    test::InDirectory inDir(dir.path());
    test::writeBytes(dir / "config.xml", "<Orvane><Temp>60</Temp><LogEvents>maybe</LogEvents></Orvane>");
    TConfig config;
    std::uint8_t critTemp = 7;
    RecordingControls controls;
    EXPECT_EQ(errorOf([&] { LoadConfig(config, critTemp, controls); }), "'maybe' is not a valid boolean value");
    EXPECT_EQ(critTemp, 7);
    EXPECT_TRUE(controls.calls.empty());
}

} // namespace
} // namespace orvane
