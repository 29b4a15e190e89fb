// SPDX-License-Identifier: MIT
// The sound command interpreter with the real libcanberra, and an ALSA configuration
// (in a temporary HOME) whose default device writes what it plays to a file.
#include "monitor/sound.h"
#include "peerprocess.h"
#include "platform/linux/canberrasound.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace orvane {
namespace {

using namespace std::chrono_literals;

// 16-bit mono PCM at 8 kHz: a ramp, so that every byte of the output can be checked.
std::string samples()
{
    std::string data;
    for (int i = 0; i < 2000; ++i) {
        const auto value = static_cast<std::uint16_t>(i * 37 - 20000);
        data += static_cast<char>(value & 0xFF);
        data += static_cast<char>(value >> 8);
    }
    return data;
}

std::string le32(std::uint32_t v)
{
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}

std::string wav(const std::string &data)
{
    const std::string fmt =
        le32(16) + std::string("\x01\x00\x01\x00", 4) + le32(8000) + le32(16000) + std::string("\x02\x00\x10\x00", 4);
    return "RIFF" + le32(static_cast<std::uint32_t>(36 + data.size())) + "WAVEfmt " + fmt + "data"
        + le32(static_cast<std::uint32_t>(data.size())) + data;
}

class SoundPeer : public ::testing::Test
{
protected:
    SoundPeer()
        : m_home("HOME", m_dir.path().string())
        , m_xdg("XDG_CONFIG_HOME", std::nullopt)
        , m_driver("CANBERRA_DRIVER", std::string("alsa"))
    {
        test::writeFile((m_dir / ".asoundrc").string(),
                        "pcm.!default {\n    type file\n    slave.pcm \"null\"\n    file \"" + output()
                            + "\"\n    format \"raw\"\n}\n");
    }

    [[nodiscard]] std::string output() const { return (m_dir / "played.raw").string(); }

    test::ScratchDir m_dir;
    test::ScopedEnv m_home;
    test::ScopedEnv m_xdg;
    test::ScopedEnv m_driver;
};

struct PathCase
{
    const char *name;
    std::string fileName; // Windows-1252, as the settings hold it
    std::string onDisk; // UTF-8
    bool relative;
};

void PrintTo(const PathCase &c, std::ostream *out)
{
    *out << c.name;
}

class SoundPlays : public SoundPeer, public ::testing::WithParamInterface<PathCase>
{
};

TEST_P(SoundPlays, WavReachesTheDevice)
{
    const PathCase &c = GetParam();
    const std::string data = samples();
    test::writeFile((m_dir / c.onDisk).string(), wav(data));
    char old[4096];
    ASSERT_NE(getcwd(old, sizeof old), nullptr);
    ASSERT_EQ(chdir(m_dir.path().c_str()), 0);
    {
        CanberraCommandInterpreter interpreter;
        PlayAlertSound(interpreter, c.relative ? c.fileName : m_dir.path().string() + "/" + c.fileName);
        const bool played =
            test::waitFor([&] { return test::readFile(output()).value_or("").size() >= data.size(); }, 5s);
        EXPECT_TRUE(played) << "nothing reached the ALSA file device " << output();
    }
    ASSERT_EQ(chdir(old), 0);
    const std::string written = test::readFile(output()).value_or("");
    EXPECT_EQ(written.substr(0, data.size()), data);
}

INSTANTIATE_TEST_SUITE_P(Paths, SoundPlays,
                         ::testing::Values(PathCase{"Absolute", "alert.wav", "alert.wav", false},
                                           PathCase{"Relative", "alert.wav", "alert.wav", true},
                                           PathCase{"BlankAndAccent", "hot disk \xE9t\xE9.wav",
                                                    "hot disk \xC3\xA9t\xC3\xA9.wav", false}),
                         [](const auto &param) { return std::string(param.param.name); });

TEST_F(SoundPeer, MissingFileAndUnknownCommandsPlayNothing)
{
    test::writeFile((m_dir / "alert.wav").string(), wav(samples()));
    CanberraCommandInterpreter interpreter;
    EXPECT_EQ(PlayAlertSound(interpreter, (m_dir / "missing.wav").string()).reason,
              "there is no sound file " + ((m_dir / "missing.wav").string()));
    EXPECT_FALSE(interpreter.fileExists((m_dir / "missing.wav").string()));
    EXPECT_FALSE(interpreter.fileExists(m_dir.path().string())); // a folder is not a sound file
    EXPECT_FALSE(interpreter.mciExecute("Stop " + ((m_dir / "alert.wav").string())));
    EXPECT_EQ(interpreter.lastErrorText(), "unknown sound command");
    EXPECT_FALSE(interpreter.mciExecute("Play"));
    EXPECT_FALSE(interpreter.mciExecute("Play " + ((m_dir / "missing.wav").string())));
    EXPECT_EQ(interpreter.lastErrorText(), "File or data not found"); // libcanberra's words
    EXPECT_EQ(test::readFile(output()), std::nullopt) << "a command reached the device";
}

TEST_F(SoundPeer, DestroyingTheInterpreterAsASoundEndsIsSafe)
{
    // The playing thread may still be on its way out of the sound driver when the context
    // goes; this used to crash the program when the driver was unloaded under it.
    const std::string data = samples();
    test::writeFile((m_dir / "alert.wav").string(), wav(data));
    for (int round = 0; round < 8; ++round) {
        ::unlink(output().c_str());
        CanberraCommandInterpreter interpreter;
        ASSERT_TRUE(interpreter.mciExecute("Play " + ((m_dir / "alert.wav").string())));
        ASSERT_TRUE(test::waitFor([&] { return test::readFile(output()).value_or("").size() >= data.size(); }, 5s));
    }
}

} // namespace
} // namespace orvane
