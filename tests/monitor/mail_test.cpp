// SPDX-License-Identifier: MIT
// The alert mail through libsendmail_lib.so against a local aiosmtpd server that the test
// starts (tests/monitor/smtp_server.py), delivering into a Maildir.
#include "monitor/alertmail.h"
#include "peerprocess.h"
#include "platform/linux/sendmaillibrary.h"
#include "support/fakes.h"

#include <dirent.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

using namespace std::chrono_literals;

// Every mail in the Maildir's "new" folder.
std::vector<std::string> delivered(const std::string &maildir)
{
    std::vector<std::string> mails;
    DIR *folder = ::opendir((maildir + "/new").c_str());
    if (folder == nullptr) {
        return mails;
    }
    while (const dirent *entry = ::readdir(folder)) {
        if (entry->d_name[0] != '.') {
            mails.push_back(test::readFile(maildir + "/new/" + entry->d_name).value_or(""));
        }
    }
    ::closedir(folder);
    return mails;
}

// The value of the first header `name` (without its line break), or "(none)".
std::string header(const std::string &mail, const std::string &name)
{
    const std::string key = "\n" + name + ": ";
    const std::string text = "\n" + mail;
    const auto at = text.find(key);
    if (at == std::string::npos) {
        return "(none)";
    }
    const auto start = at + key.size();
    return text.substr(start, text.find_first_of("\r\n", start) - start);
}

std::string body(const std::string &mail)
{
    auto at = mail.find("\n\n");
    const std::size_t skip = at == std::string::npos ? (at = mail.find("\r\n\r\n"), 4) : 2;
    return at == std::string::npos ? std::string() : mail.substr(at + skip);
}

// A listening TCP port on 127.0.0.1 that nobody answers (the backlog accepts the
// connection, no greeting ever comes), or a port that was free a moment ago.
struct Port
{
    int fd = -1;
    int number = 0;
    explicit Port(bool keepListening)
    {
        fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
        number = ntohs(address.sin_port);
        if (keepListening) {
            ::listen(fd, 4);
        } else {
            ::close(fd);
            fd = -1;
        }
    }
    ~Port()
    {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

class MailPeer : public ::testing::Test
{
protected:
    MailPeer()
        : m_config("XDG_CONFIG_HOME", (m_dir / "config").string())
    {
        ::mkdir(((m_dir / "config").string()).c_str(), 0700);
        ::mkdir(((m_dir / "config/orvane").string()).c_str(), 0700);
    }

    // Starts the server; with a user, it demands that login.
    void startServer(const std::string &user = {}, const std::string &password = {})
    {
        std::vector<std::string> argv{"/usr/bin/python3", ORVANE_SMTP_SERVER, "--maildir", maildir()};
        if (!user.empty()) {
            argv.insert(argv.end(), {"--user", user, "--password", password});
        }
        std::string error;
        m_server = test::PeerProcess::start(argv, {}, (m_dir / "smtp.err").string(), error);
        ASSERT_TRUE(m_server) << error;
        const auto port = m_server->readLine(15s);
        if (!port && !m_server->running()) {
            GTEST_SKIP() << "the SMTP server (python3-aiosmtpd) did not start: "
                         << test::readFile((m_dir / "smtp.err").string()).value_or("");
        }
        ASSERT_TRUE(port) << "the SMTP server printed no port";
        m_port = std::stoi(*port);
    }

    void writeSettings(const std::string &text, mode_t mode = 0600)
    {
        const std::string path = (m_dir / "config/orvane/sendmail.conf").string();
        test::writeFile(path, text);
        ::chmod(path.c_str(), mode);
    }

    [[nodiscard]] std::string server() const { return "smtp://127.0.0.1:" + std::to_string(m_port); }
    [[nodiscard]] std::string maildir() const { return (m_dir / "maildir").string(); }

    test::ScratchDir m_dir;
    test::ScopedEnv m_config;
    std::unique_ptr<test::PeerProcess> m_server;
    int m_port = 0;
    SendMailLibrary m_library{ORVANE_SENDMAIL_LIBRARY};
};

struct LoginCase
{
    const char *name;
    std::string serverUser; // empty: the server asks for no login
    std::string settingsLogin; // and the starttls line; the server offers no STARTTLS
    bool delivered;
    std::string resultStart;
    std::string serverPassword = "secret";
};

void PrintTo(const LoginCase &c, std::ostream *out)
{
    *out << c.name;
}

class MailLogin : public MailPeer, public ::testing::WithParamInterface<LoginCase>
{
};

TEST_P(MailLogin, TestButtonReportsWhatTheServerDid)
{
    const LoginCase &c = GetParam();
    startServer(c.serverUser, c.serverPassword);
    writeSettings("# test server\nserver = " + server() + "\n" + c.settingsLogin);
    ASSERT_TRUE(m_library.loaded());

    test::FakeMessageBox box;
    const TemperatureReader drive0 = [](std::uint8_t) { return TAttrReading{55, 0, 100, 100}; };
    sendTestMail("admin@example.org", drive0, m_library, box);

    ASSERT_EQ(box.shown.size(), 1u);
    const std::vector<std::string> mails = delivered(maildir());
    if (c.delivered) {
        EXPECT_EQ(box.shown[0], "The Alert! Message was sent to: admin@example.org");
        ASSERT_EQ(mails.size(), 1u);
        EXPECT_EQ(header(mails[0], "X-MailFrom"), "orvane@localhost");
        EXPECT_EQ(header(mails[0], "X-RcptTo"), "admin@example.org");
        EXPECT_EQ(header(mails[0], "From"), "orvane@localhost");
        EXPECT_EQ(header(mails[0], "To"), "admin@example.org");
        EXPECT_EQ(header(mails[0], "Subject"), "Orvane Alert!");
        EXPECT_EQ(header(mails[0], "Content-Type"), "text/plain; charset=UTF-8");
        EXPECT_EQ(body(mails[0]),
                  "The current temperature is: 55\xC2\xB0"
                  "C\n");
    } else {
        EXPECT_EQ(box.shown[0].rfind("The Alert! Message could not be sent to: admin@example.org\n" + c.resultStart, 0),
                  0u)
            << box.shown[0];
        EXPECT_TRUE(mails.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Logins, MailLogin,
    ::testing::Values(LoginCase{"NoLogin", "", "starttls = try\n", true, ""},
                      LoginCase{"RightLogin", "orvane", "starttls = no\nuser = orvane\npassword = secret\n", true, ""},
                      LoginCase{"WrongLogin", "orvane", "starttls = no\nuser = orvane\npassword = guess\n", false,
                                "Login denied (535"},
                      LoginCase{"LoginNeededButNoneSet", "orvane", "starttls = try\n", false,
                                "Failed sending data to the peer (530"},
                      // A password goes out in clear text only when the settings say so: "try" demands TLS
                      // once there is a login, and so does the default.
                      LoginCase{"LoginWithTryNeedsTls", "orvane", "starttls = try\nuser = orvane\npassword = secret\n",
                                false, "Requested SSL level failed"},
                      LoginCase{"LoginByDefaultNeedsTls", "orvane", "user = orvane\npassword = secret\n", false,
                                "Requested SSL level failed"},
                      // Blanks at the end of a password are part of it.
                      LoginCase{"PasswordWithTrailingBlanks", "orvane",
                                "starttls = no\nuser = orvane\npassword = se cret  \r\n", true, "", "se cret  "}),
    [](const auto &param) { return std::string(param.param.name); });

TEST_F(MailPeer, AcceptedMailReportsTheServersAnswer)
{
    startServer();
    writeSettings("server = " + server() + "\n");
    const MailOutcome outcome = SendAlertMail(m_library, "  ops@example.org ", "The current temperature is: 61");
    EXPECT_TRUE(outcome.sent);
    EXPECT_EQ(outcome.resultText, "250 OK");
    const std::vector<std::string> mails = delivered(maildir());
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(header(mails[0], "X-RcptTo"), "ops@example.org"); // blanks around the stored address dropped
    EXPECT_EQ(body(mails[0]), "The current temperature is: 61\n");
}

TEST_F(MailPeer, SenderFromSettingsReplacesTheProgramsSender)
{
    startServer();
    writeSettings("server = " + server() + "\nfrom = alerts@example.org\n");
    EXPECT_TRUE(SendAlertMail(m_library, "ops@example.org", "x").sent);
    const std::vector<std::string> mails = delivered(maildir());
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(header(mails[0], "X-MailFrom"), "alerts@example.org");
    EXPECT_EQ(header(mails[0], "From"), "alerts@example.org");
}

TEST_F(MailPeer, AccentedSubjectAndSeveralLinesTravelIntact)
{
    startServer();
    writeSettings("server = " + server() + "\n");
    std::string result;
    EXPECT_TRUE(m_library.SendMail(result, "orvane@localhost", "ops@example.org", nullptr, nullptr, "Temp\xE9rature!",
                                   "one\n.two\r\nthree\rfour", nullptr, 1000))
        << result;
    const std::vector<std::string> mails = delivered(maildir());
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(header(mails[0], "Subject"), "=?UTF-8?B?VGVtcMOpcmF0dXJlIQ==?=");
    // A line starting with a dot survives the SMTP end-of-data marker.
    EXPECT_EQ(body(mails[0]), "one\n.two\nthree\nfour\n");
}

TEST_F(MailPeer, ServerThatIsNotThereFailsQuickly)
{
    const Port closed(false);
    writeSettings("server = smtp://127.0.0.1:" + std::to_string(closed.number) + "\n");
    const auto start = std::chrono::steady_clock::now();
    const MailOutcome outcome = SendAlertMail(m_library, "admin@example.org", "x");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    EXPECT_FALSE(outcome.sent);
    EXPECT_EQ(outcome.resultText, "Couldn't connect to server");
}

TEST_F(MailPeer, SilentServerIsGivenUpWithinTheTimeLimit)
{
    const Port silent(true);
    writeSettings("server = smtp://127.0.0.1:" + std::to_string(silent.number) + "\n");
    const auto start = std::chrono::steady_clock::now();
    const MailOutcome outcome = SendAlertMail(m_library, "admin@example.org", "x");
    const auto took = std::chrono::steady_clock::now() - start;
    // The greeting counts as reaching the server: the 1000 ms limit applies to it.
    EXPECT_GE(took, 900ms);
    EXPECT_LT(took, 3s);
    EXPECT_FALSE(outcome.sent);
    EXPECT_EQ(outcome.resultText, "Timeout was reached");
}

struct RefusalCase
{
    const char *name;
    std::string settings; // "%s" stands for the server's URL
    mode_t mode;
    std::string recipient;
    std::string resultPart;
};

void PrintTo(const RefusalCase &c, std::ostream *out)
{
    *out << c.name;
}

class MailRefused : public MailPeer, public ::testing::WithParamInterface<RefusalCase>
{
};

TEST_P(MailRefused, NothingLeavesAndTheReasonIsGiven)
{
    const RefusalCase &c = GetParam();
    startServer();
    std::string settings = c.settings;
    if (const auto at = settings.find("%s"); at != std::string::npos) {
        settings.replace(at, 2, server());
    }
    if (c.mode != 0) {
        writeSettings(settings, c.mode);
    }
    const MailOutcome outcome = SendAlertMail(m_library, c.recipient, "x");
    EXPECT_FALSE(outcome.sent);
    EXPECT_NE(outcome.resultText.find(c.resultPart), std::string::npos) << outcome.resultText;
    EXPECT_TRUE(delivered(maildir()).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, MailRefused,
    ::testing::Values(RefusalCase{"SettingsReadableByOthers", "server = %s\n", 0644, "a@b.org", "too open (mode 0644)"},
                      RefusalCase{"SettingsReadableByGroup", "server = %s\n", 0640, "a@b.org", "too open (mode 0640)"},
                      RefusalCase{"NoSettings", "", 0, "a@b.org", "Cannot read mail settings"},
                      RefusalCase{"UnknownKey", "server = %s\nhost = x\n", 0600, "a@b.org", "line 2"},
                      RefusalCase{"NotSmtp", "server = http://127.0.0.1/\n", 0600, "a@b.org", "must be smtp://"},
                      RefusalCase{"HeaderInRecipient", "server = %s\n", 0600, "a@b.org\r\nBcc: c@d.org",
                                  "Not a mail address"},
                      RefusalCase{"BlankRecipient", "server = %s\n", 0600, "   ", "Not a mail address"}),
    [](const auto &param) { return std::string(param.param.name); });

TEST_F(MailPeer, ControlCharactersInTheSubjectAreRefused)
{
    startServer();
    writeSettings("server = " + server() + "\n");
    for (const char *subject : {"a\x1b]0;x\x07", "a\vb", "a\fb", "a\rb", "a\x7f"}) {
        std::string result;
        EXPECT_FALSE(m_library.SendMail(result, "orvane@localhost", "ops@example.org", nullptr, nullptr, subject, "x",
                                        nullptr, 1000));
        EXPECT_EQ(result, "The subject holds a control character") << subject;
    }
    std::string result;
    EXPECT_TRUE(m_library.SendMail(result, "orvane@localhost", "ops@example.org", nullptr, nullptr, "tab\there", "x",
                                   nullptr, 1000))
        << result;
    EXPECT_EQ(delivered(maildir()).size(), 1u);
}

TEST_F(MailPeer, SettingsThatAreNotASmallRegularFileAreRefusedAtOnce)
{
    const std::string path = m_dir / "config/orvane/sendmail.conf";
    const struct
    {
        const char *name;
        std::function<void()> make;
        std::string resultPart;
    } cases[] = {
        {"pipe", [&] { ::mkfifo(path.c_str(), 0600); }, "is not a regular file"},
        {"large", [&] { writeSettings(std::string(70000, '#') + "\nserver = smtp://127.0.0.1:1\n"); },
         "is larger than 65536 bytes"},
        {"folder", [&] { ::mkdir(path.c_str(), 0700); }, "is not a regular file"},
    };
    for (const auto &c : cases) {
        std::filesystem::remove_all(path);
        c.make();
        const auto start = std::chrono::steady_clock::now();
        const MailOutcome outcome = SendAlertMail(m_library, "admin@example.org", "x");
        EXPECT_LT(std::chrono::steady_clock::now() - start, 1s) << c.name;
        EXPECT_FALSE(outcome.sent);
        EXPECT_NE(outcome.resultText.find(c.resultPart), std::string::npos) << c.name << ": " << outcome.resultText;
    }
}

TEST(MailLibraryMissing, SendingFailsWithAReason)
{
    SendMailLibrary library("/nonexistent/libsendmail_lib.so");
    EXPECT_FALSE(library.loaded());
    test::FakeMessageBox box;
    sendTestMail(
        "a@b.org",
        [](std::uint8_t) {
            return TAttrReading{40, 0, 100, 100};
        },
        library, box);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(
        box.shown[0].rfind("The Alert! Message could not be sent to: a@b.org\nThe mail library cannot be loaded", 0),
        0u)
        << box.shown[0];
}

} // namespace
} // namespace orvane
