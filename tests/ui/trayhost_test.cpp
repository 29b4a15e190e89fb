// SPDX-License-Identifier: MIT
// The tray icon on real hosts under Xvfb: a StatusNotifierWatcher with a notification
// server on the private session bus, or, without a watcher, trayer's XEmbed tray. Each
// test runs in a process of its own, since Qt picks the kind of tray once per process.
#include "../monitor/peerprocess.h"
#include "platform/linux/desktopnotifications.h"
#include "ui/qttrayshell.h"
#include "ui/rolloverimage.h"
#include "ui/trayicon.h"
#include "uitestsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <unistd.h>

namespace orvane::test {
namespace {

using namespace std::chrono_literals;

// Waits for `done` while Qt goes on handling its events.
template<typename Predicate>
bool pumpUntil(Predicate done, std::chrono::milliseconds timeout = 15s)
{
    return waitFor(
        [&] {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            return done();
        },
        timeout);
}

std::unique_ptr<PeerProcess> startPeer(const std::vector<std::string> &argv, const std::string &errors)
{
    std::string error;
    auto peer = PeerProcess::start(argv, {}, errors, error);
    EXPECT_TRUE(peer) << error;
    return peer;
}

// The next line of a peer's output, with Qt's events handled while waiting.
std::optional<std::string> nextLine(PeerProcess &peer, std::chrono::milliseconds timeout = 15s)
{
    std::optional<std::string> line;
    pumpUntil([&] { return (line = peer.readLine(20ms)).has_value(); }, timeout);
    return line;
}

std::unique_ptr<PeerProcess> startWatcher(const ScratchDir &dir)
{
    auto watcher = startPeer({"/usr/bin/python3", ORVANE_SNI_WATCHER}, (dir / "watcher.err").string());
    if (watcher) {
        EXPECT_EQ(nextLine(*watcher), "ready") << readFile((dir / "watcher.err").string()).value_or("");
    }
    return watcher;
}

void addDrives(FormHarness &h)
{
    h.addDrive(0, "DISK A", 41);
    h.addDrive(1, "DISK B", 52);
}

std::string padded(const std::string &model)
{
    std::string text = model;
    text.resize(40, ' ');
    return text;
}

TEST(StatusNotifierHost, TheIconRegistersAndRegistersAgainWhenTheWatcherRestarts)
{
    ScratchDir dir;
    auto watcher = startWatcher(dir);
    ASSERT_TRUE(watcher);
    QtTrayShell shell;
    FormHarness h;
    h.realTray = &shell;
    TOrvane_Form &form = h.create();
    form.FormCreate();
    EXPECT_TRUE(shell.icon().isVisible());
    EXPECT_FALSE(shell.icon().icon().isNull());
    const auto first = nextLine(*watcher);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->rfind("registered :", 0), 0u) << *first;

    watcher.reset(); // the desktop's tray host ends ...
    watcher = startWatcher(dir); // ... and a new one starts
    ASSERT_TRUE(watcher);
    const auto again = nextLine(*watcher);
    ASSERT_TRUE(again) << "the icon did not come back";
    EXPECT_EQ(*again, *first);
}

TEST(StatusNotifierHost, MinimizingBalloonsTheReportAndAClickOnItRestoresTheWindow)
{
    ScratchDir dir;
    auto watcher = startWatcher(dir);
    auto server = startPeer(
        {"/usr/bin/python3", "-m", "dbusmock", "--template", "notification_daemon", "-l", (dir / "calls.log").string()},
        (dir / "notify.err").string());
    ASSERT_TRUE(watcher && server);
    ASSERT_TRUE(pumpUntil([] {
        return QDBusConnection::sessionBus().interface()->isServiceRegistered(
            QStringLiteral("org.freedesktop.Notifications"));
    }));
    DesktopNotifications notifications;
    QtTrayShell shell(&notifications);
    FormHarness h;
    addDrives(h);
    h.realTray = &shell;
    TOrvane_Form &form = h.create();
    form.FormCreate();
    form.DiskStatus_CheckBox->setChecked(true);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    form.setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(form.isVisible());
    // One notification a drive; the second replaces the first and lists both drives,
    // each line ended by a line break.
    const std::string one = padded("DISK A") + "\nTemp: 41\u00B0C\n";
    const std::string two = one + padded("DISK B") + "\nTemp: 52\u00B0C\n";
    const std::string firstCall = "Notify \"Orvane\" 0 \"dialog-information\" \"Orvane\" \"" + one + "\"";
    const std::string secondCall = "Notify \"Orvane\" 1 \"dialog-information\" \"Orvane\" \"" + two + "\"";
    std::string calls;
    EXPECT_TRUE(pumpUntil([&] {
        calls = readFile((dir / "calls.log").string()).value_or("");
        return calls.find(secondCall) != std::string::npos;
    })) << calls;
    EXPECT_NE(calls.find(firstCall), std::string::npos) << calls;
    EXPECT_NE(calls.find("[\"default\", \"Orvane\"] {} 10000"), std::string::npos) << calls;
    EXPECT_EQ(calls.find("CloseNotification"), std::string::npos) << "replaced, not closed and shown anew";

    // The server says the user clicked the notification.
    QDBusMessage click = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("EmitSignal"));
    click << QStringLiteral("org.freedesktop.Notifications") << QStringLiteral("ActionInvoked") << QStringLiteral("us")
          << QVariantList{QVariant::fromValue(QDBusVariant(uint(1))),
                          QVariant::fromValue(QDBusVariant(QStringLiteral("default")))};
    const QDBusMessage reply = QDBusConnection::sessionBus().call(click);
    ASSERT_NE(reply.type(), QDBusMessage::ErrorMessage) << reply.errorMessage().toStdString();
    EXPECT_TRUE(pumpUntil([&] { return form.isVisible(); }));
}

// The window of Qt's icon in the XEmbed tray, or 0.
WId trayIconWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QStringLiteral("QSystemTrayIconSys") && widget->isVisible()) {
            return widget->winId();
        }
    }
    return 0;
}

// The X parent of a window as xwininfo sees it.
std::string parentOf(WId window)
{
    const std::string command = "xwininfo -children -id " + std::to_string(window) + " 2>/dev/null";
    std::string out;
    if (FILE *pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
            out += buffer;
        }
        pclose(pipe);
    }
    const auto at = out.find("Parent window id: ");
    return at == std::string::npos ? std::string() : out.substr(at + 18, out.find(' ', at + 18) - at - 18);
}

bool dockedInTray(WId &window)
{
    window = trayIconWindow();
    if (window == 0) {
        return false;
    }
    const std::string parent = parentOf(window);
    return !parent.empty() && parent.find("(the root window)") == std::string::npos;
}

std::unique_ptr<PeerProcess> startTrayer(const ScratchDir &dir)
{
    if (access("/usr/bin/trayer", X_OK) != 0 || std::system("command -v xwininfo >/dev/null 2>&1") != 0) {
        return nullptr;
    }
    auto trayer = startPeer({"/usr/bin/trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel",
                             "--width", "120", "--height", "28", "--SetDockType", "false"},
                            (dir / "trayer.err").string());
    EXPECT_TRUE(pumpUntil([] { return QSystemTrayIcon::isSystemTrayAvailable(); }))
        << readFile((dir / "trayer.err").string()).value_or("");
    return trayer;
}

TEST(XEmbedHost, TheIconDocksInTheTrayAndDocksAgainWhenTheTrayRestarts)
{
    ScratchDir dir;
    auto trayer = startTrayer(dir);
    if (!trayer) {
        GTEST_SKIP() << "trayer or xwininfo is not installed";
    }
    QtTrayShell shell;
    FormHarness h;
    addDrives(h);
    h.realTray = &shell;
    TOrvane_Form &form = h.create();
    form.FormCreate();
    WId docked = 0;
    ASSERT_TRUE(pumpUntil([&] { return dockedInTray(docked); })) << "the icon never docked";
    std::printf("docked: window %lu in %s\n", static_cast<unsigned long>(docked), parentOf(docked).c_str());

    trayer.reset();
    EXPECT_TRUE(pumpUntil([] { return !QSystemTrayIcon::isSystemTrayAvailable(); }));
    trayer = startTrayer(dir);
    ASSERT_TRUE(trayer);
    WId again = 0;
    EXPECT_TRUE(pumpUntil([&] { return dockedInTray(again); })) << "the icon did not come back";

    // Minimized into the tray, the window comes back on a double-click on the docked icon.
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.setWindowState(Qt::WindowMinimized);
    ASSERT_FALSE(form.isVisible());
    if (std::system("command -v xdotool >/dev/null 2>&1") == 0) {
        const std::string click =
            "xdotool mousemove --window " + std::to_string(again) + " 8 8 click --repeat 2 --delay 60 1";
        ASSERT_EQ(std::system(click.c_str()), 0) << click;
        EXPECT_TRUE(pumpUntil([&] { return form.isVisible(); })) << "a double-click did not bring the window back";
    }

    // Without a notification server the balloon is Qt's own, beside the icon.
    form.DiskStatus_CheckBox->setChecked(true);
    form.Checkdrivenow1Click();
    QString balloonText;
    EXPECT_TRUE(pumpUntil([&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->inherits("QBalloonTip") && widget->isVisible()) {
                for (const QLabel *label : widget->findChildren<QLabel *>()) {
                    balloonText += label->text() + QLatin1Char('|');
                }
                return true;
            }
        }
        return false;
    }));
    EXPECT_TRUE(balloonText.contains(QString::fromStdString(padded("DISK B")) + QStringLiteral("\nTemp: 52\u00B0C")))
        << balloonText.toStdString();
}

TEST(XEmbedHost, ScreenshotsOfTheTrayMenuAndOfTheBarWithAHoveredButton)
{
    ScratchDir dir;
    auto trayer = startTrayer(dir);
    if (!trayer) {
        GTEST_SKIP() << "trayer or xwininfo is not installed";
    }
    QtTrayShell shell;
    FormHarness h;
    addDrives(h);
    h.realTray = &shell;
    TOrvane_Form &form = h.create();
    form.FormCreate();
    form.move(100, 60);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    QTest::mouseMove(form.SupportRollover, QPoint(20, 12));
    ASSERT_TRUE(pumpUntil(
        [&] { return form.SupportRollover->picture().toImage() == form.SupportRollover->OverBitmap().toImage(); }));
    const QPixmap bar = form.Panel1->grab();
    EXPECT_TRUE(bar.save(QStringLiteral(ORVANE_SCREENSHOTS "/tray-bottom-bar-hover.png")));

    // The menu as a right-button press on the icon opens it, at the cursor.
    shell.popupMenu(*form.PopupMenu1, QPoint(700, 600));
    ASSERT_TRUE(pumpUntil([&] { return form.PopupMenu1->isVisible(); }));
    QTest::qWait(300); // let the X server draw it before the screen is taken
    const QPixmap screen = QApplication::primaryScreen()->grabWindow(0);
    EXPECT_TRUE(screen.save(QStringLiteral(ORVANE_SCREENSHOTS "/tray-menu.png")));
    EXPECT_EQ(form.PopupMenu1->geometry().topLeft(), QPoint(700, 600));
    form.PopupMenu1->close();
}

} // namespace
} // namespace orvane::test
