// SPDX-License-Identifier: MIT
// One whole alert through the real Linux back-ends, each against a peer the test starts: the
// mail library and a local SMTP server, libcanberra and an ALSA file device, logind's mock
// on a private bus, and a datagram socket standing in for the system log.
#include "drive/drivetransport.h"
#include "logindmock.h"
#include "monitor/activitylog.h"
#include "platform/linux/canberrasound.h"
#include "platform/linux/logindpower.h"
#include "platform/linux/sendmaillibrary.h"
#include "platform/linux/syslogeventlog.h"
#include "settings/config.h"
#include "support/fakedrivecontrol.h"
#include "support/fakes.h"
#include "watchfakes.h"

#include <cstring>
#include <dirent.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace orvane {
namespace {

using namespace std::chrono_literals;

std::string le32(std::uint32_t v)
{
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}

// 16-bit mono PCM at 8 kHz, a quarter of a second of a ramp.
std::string wavSamples()
{
    std::string data;
    for (int i = 0; i < 2000; ++i) {
        const auto value = static_cast<std::uint16_t>(i * 37 - 20000);
        data += {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    }
    return data;
}

std::string wav(const std::string &data)
{
    return "RIFF" + le32(static_cast<std::uint32_t>(36 + data.size())) + "WAVEfmt " + le32(16)
        + std::string("\x01\x00\x01\x00", 4) + le32(8000) + le32(16000) + std::string("\x02\x00\x10\x00", 4) + "data"
        + le32(static_cast<std::uint32_t>(data.size())) + data;
}

// Every datagram that reached the socket, its "<14>Orvane[pid]: " head left off.
std::vector<std::string> received(int socket)
{
    std::vector<std::string> lines;
    pollfd wait{socket, POLLIN, 0};
    char buffer[8192];
    while (::poll(&wait, 1, 200) == 1) {
        const ssize_t got = ::recv(socket, buffer, sizeof buffer, 0);
        if (got <= 0) {
            break;
        }
        const std::string line(buffer, static_cast<std::size_t>(got));
        lines.push_back(line.substr(line.find("]: ") + 3));
    }
    return lines;
}

std::vector<std::string> mailsIn(const std::string &maildir)
{
    std::vector<std::string> mails;
    if (DIR *folder = ::opendir((maildir + "/new").c_str())) {
        while (const dirent *entry = ::readdir(folder)) {
            if (entry->d_name[0] != '.') {
                mails.push_back(test::readFile(maildir + "/new/" + entry->d_name).value_or(""));
            }
        }
        ::closedir(folder);
    }
    return mails;
}

class WholeAlert : public ::testing::Test
{
protected:
    WholeAlert()
        : m_home("HOME", m_dir.path())
        , m_config("XDG_CONFIG_HOME", (m_dir / "config").string())
        , m_driver("CANBERRA_DRIVER", std::string("alsa"))
    {
        test::writeFile(m_dir / ".asoundrc",
                        "pcm.!default {\n    type file\n    slave.pcm \"null\"\n    file \""
                            + ((m_dir / "played.raw").string()) + "\"\n    format \"raw\"\n}\n");
        test::writeFile(m_dir / "alert.wav", wav(wavSamples()));
        ::mkdir(((m_dir / "config").string()).c_str(), 0700);
        ::mkdir(((m_dir / "config/orvane").string()).c_str(), 0700);
    }

    void SetUp() override
    {
        std::string skip;
        std::string error;
        if (!m_logind.start(m_dir, skip, error)) {
            if (!skip.empty()) {
                GTEST_SKIP() << skip;
            }
            FAIL() << error;
        }
        m_smtp = test::PeerProcess::start(
            {"/usr/bin/python3", ORVANE_SMTP_SERVER, "--maildir", (m_dir / "maildir").string()}, {},
            (m_dir / "smtp.err").string(), error);
        ASSERT_TRUE(m_smtp) << error;
        const auto port = m_smtp->readLine(15s);
        if (!port && !m_smtp->running()) {
            GTEST_SKIP() << "the SMTP server did not start: "
                         << test::readFile((m_dir / "smtp.err").string()).value_or("");
        }
        ASSERT_TRUE(port);
        const std::string conf = (m_dir / "config/orvane/sendmail.conf").string();
        test::writeFile(conf, "server = smtp://127.0.0.1:" + *port + "\nstarttls = no\n");
        ::chmod(conf.c_str(), 0600);

        m_syslog = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, ((m_dir / "log").string()).c_str(), sizeof address.sun_path - 1);
        ASSERT_EQ(::bind(m_syslog, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    }

    // One watch cycle over drive 0 at 58 degrees against 50, every channel on: nobody
    // answers for 60 seconds, then the user cancels. Yields the Log page's lines.
    std::vector<std::string> runAlert(const std::string &soundFile)
    {
        test::FakeDriveControl drives;
        drives.drive(0).attributes = test::attributeSector({{0, {194, 100, 100, 58, 0}}});
        DriveTransport transport(drives);
        SendMailLibrary mail(ORVANE_SENDMAIL_LIBRARY);
        LogindPower power;
        NoEventSourceRegistry registry;
        TfisNTEventLog eventLog(m_syslogWriter, registry);
        eventLog.setAppName("Orvane");
        eventLog.RegisterSource();
        test::FakeClock clock;
        clock.set(2026, 12, 8, 0, 0, 0);
        MemoryLogPage page;
        ActivityLog log(clock, page, eventLog);
        test::Journal journal;
        test::JournalWindow window(journal);
        test::JournalTimer checkTemp(journal, "watch");
        test::JournalTimer countdown(journal, "countdown");
        TConfig config;
        config.EmailNotification = true;
        config.EmailAddr = "ops@example.org";
        config.PlaySound = true;
        config.SoundPath = soundFile;
        config.PopupNotification = true;
        config.Hibernation = true;
        std::uint8_t critTemp = 50;
        std::uint8_t seconds = 0;
        m_sound = std::make_unique<CanberraCommandInterpreter>();
        TemperatureWatch watch({transport, log, eventLog, mail, *m_sound, power}, window, checkTemp, countdown,
                               {config, critTemp, seconds});
        window.watch = &watch;
        window.countdown = &countdown;
        window.rows = {{"0", true}};
        window.replies = {{HibernateAnswer::Cancel, 60}};
        watch.CheckTemperatures();
        return page.lines();
    }

    void TearDown() override
    {
        if (m_syslog >= 0) {
            ::close(m_syslog);
        }
    }

    test::ScratchDir m_dir;
    test::ScopedEnv m_home;
    test::ScopedEnv m_config;
    test::ScopedEnv m_driver;
    test::LogindMock m_logind;
    std::unique_ptr<test::PeerProcess> m_smtp;
    int m_syslog = -1;
    SyslogEventLog m_syslogWriter{(m_dir / "log").string()};
    std::unique_ptr<CanberraCommandInterpreter> m_sound; // playing on till the test ends
};

TEST_F(WholeAlert, EveryPeerGetsWhatTheAlertSends)
{
    const std::vector<std::string> lines = runAlert((m_dir / "alert.wav").string());
    EXPECT_TRUE(
        test::waitFor([&] { return test::readFile((m_dir / "played.raw").string()).value_or("").size() >= 4000; }, 5s))
        << "the sound never reached the ALSA file device";
    EXPECT_EQ(test::readFile((m_dir / "played.raw").string()).value_or("").substr(0, 4000), wavSamples());
    const std::vector<std::string> mails = mailsIn((m_dir / "maildir").string());
    ASSERT_EQ(mails.size(), 1U);
    EXPECT_NE(mails[0].find("To: ops@example.org"), std::string::npos) << mails[0];
    EXPECT_NE(mails[0].find("Subject: Orvane Alert!"), std::string::npos) << mails[0];
    EXPECT_NE(mails[0].find("The current temperature is: 58\n"), std::string::npos) << mails[0];
    EXPECT_TRUE(test::waitFor(
        [&] {
            return m_logind.calls() == std::vector<std::string>{"CanHibernate", "Hibernate False"};
        },
        3s))
        << ::testing::PrintToString(m_logind.calls());
    // The system log got every line once, the countdown's without its stamp; nothing failed.
    EXPECT_EQ(received(m_syslog),
              (std::vector<std::string>{"12/08/2026 * SEND email to : ops@example.org",
                                        "12/08/2026 * Temperature is over maximum: 58 > 50", "Orvane was Hibernated",
                                        "12/08/2026 * USER cancelled the HIBERNATE action !",
                                        "12/08/2026 * CHANGED the alert temperature to: 58\xC2\xB0"}));
    EXPECT_EQ(lines.size(), 5U);
}

// Every channel refused by its real peer: each failure is logged with the back-end's reason.
TEST_F(WholeAlert, EachRefusalIsLoggedWithThePeersReason)
{
    test::writeFile(m_dir / "config/orvane/sendmail.conf", "server = smtp://127.0.0.1:1\nstarttls = no\n");
    test::writeFile(m_dir / "broken.wav", "not a sound");
    ASSERT_TRUE(m_logind.replaceMethod("CanHibernate", "", "s", "ret = 'na'"));
    const std::vector<std::string> lines = runAlert((m_dir / "broken.wav").string());
    ASSERT_EQ(lines.size(), 8U) << ::testing::PrintToString(lines);
    EXPECT_EQ(lines[1], "12/08/2026 * FAILED to send the email: Couldn't connect to server");
    EXPECT_EQ(lines[2].rfind("12/08/2026 * FAILED to play the sound: ", 0), 0U) << lines[2];
    EXPECT_GT(lines[2].size(), std::string("12/08/2026 * FAILED to play the sound: ").size());
    EXPECT_EQ(lines[5], "12/08/2026 * FAILED to hibernate the system: hibernation is not available on this computer");
    EXPECT_EQ(test::readFile((m_dir / "played.raw").string()), std::nullopt);
    EXPECT_EQ(m_logind.calls(), std::vector<std::string>{"CanHibernate"});
}

} // namespace
} // namespace orvane
