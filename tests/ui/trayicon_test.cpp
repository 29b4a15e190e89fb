// SPDX-License-Identifier: MIT
// The tray icon component against a fake notification area: the record it sends, the
// balloon's cuts, the mouse events, and minimizing into the tray.
#include "faketray.h"
#include "ui/trayicon.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace orvane::test {
namespace {

struct Tray
{
    FakeTrayShell shell;
    QWidget owner;
    QMenu menu;
    TTrayIcon icon{shell, owner};
    int doubleClicks = 0;
    int balloonClicks = 0;

    Tray()
    {
        icon.PopupMenu = &menu;
        icon.OnDblClick = [this] { ++doubleClicks; };
        icon.OnBalloonHintClick = [this] { ++balloonClicks; };
        icon.Loaded();
    }
};

TEST(TrayIcon, LoadingGivesTheRecordItsPictureThenAddsTheIcon)
{
    FakeTrayShell shell;
    QWidget owner;
    {
        TTrayIcon icon(shell, owner);
        icon.setHint("never sent before the window is loaded");
        EXPECT_TRUE(shell.calls.empty());
        icon.setHint("");
        icon.Loaded();
        ASSERT_EQ(shell.calls.size(), 2u);
        EXPECT_EQ(shell.calls[0].request, TrayRequest::Modify);
        EXPECT_EQ(shell.calls[1].request, TrayRequest::Add);
        const TrayIconData &added = shell.calls[1].data;
        EXPECT_EQ(added.uFlags, 7u);
        EXPECT_EQ(added.uCallbackMessage, 0x800u);
        EXPECT_EQ(added.szTip, ""); // no hint, no tooltip
        EXPECT_TRUE(shell.present);
    }
    // Destroyed with the window: the icon leaves the tray.
    EXPECT_EQ(shell.calls.back().request, TrayRequest::Delete);
    EXPECT_FALSE(shell.present);
}

TEST(TrayIcon, EachIconHasItsOwnIdentity)
{
    FakeTrayShell shell;
    QWidget owner;
    TTrayIcon first(shell, owner);
    TTrayIcon second(shell, owner);
    EXPECT_NE(first.data().uID, second.data().uID);
}

struct BalloonCase
{
    const char *name;
    std::size_t textLength;
    std::size_t titleLength;
    BalloonKind kind;
    std::uint8_t seconds;
    std::size_t shownText;
    std::size_t shownTitle;
    std::uint32_t timeoutMs;
};

class TrayBalloonCuts : public ::testing::TestWithParam<BalloonCase>
{
};

TEST_P(TrayBalloonCuts, RemovesTheLastBalloonThenShowsTheCutTexts)
{
    const BalloonCase &c = GetParam();
    Tray t;
    t.shell.calls.clear();
    const std::string text(c.textLength, 't');
    const std::string title(c.titleLength, 'T');
    EXPECT_TRUE(t.icon.ShowTrayBalloon(title, text, c.kind, c.seconds));

    ASSERT_EQ(t.shell.calls.size(), 2u);
    // First the balloon that may be showing goes: the info flag with an empty text.
    EXPECT_EQ(t.shell.calls[0].request, TrayRequest::Modify);
    EXPECT_EQ(t.shell.calls[0].data.uFlags, 7u | TrayIconData::NIF_INFO);
    EXPECT_EQ(t.shell.calls[0].data.szInfo, "");
    const TrayIconData &shown = t.shell.calls[1].data;
    EXPECT_EQ(t.shell.calls[1].request, TrayRequest::Modify);
    EXPECT_EQ(shown.uFlags, 7u | TrayIconData::NIF_INFO);
    EXPECT_EQ(shown.szInfo, text.substr(0, c.shownText));
    EXPECT_EQ(shown.szInfoTitle, title.substr(0, c.shownTitle));
    EXPECT_EQ(shown.uTimeout, c.timeoutMs);
    EXPECT_EQ(shown.dwInfoFlags, c.kind);
    // The info flag is only there for the balloon's request.
    EXPECT_EQ(t.icon.data().uFlags, 7u);
}

INSTANTIATE_TEST_SUITE_P(
    Balloons, TrayBalloonCuts,
    ::testing::Values(BalloonCase{"longTexts", 300, 70, BalloonKind::Information, 10, 255, 63, 10000},
                      BalloonCase{"exactLimits", 255, 63, BalloonKind::Warning, 255, 255, 63, 255000},
                      BalloonCase{"shortTexts", 5, 6, BalloonKind::Error, 1, 5, 6, 1000},
                      BalloonCase{"noIconNoTimeout", 1, 0, BalloonKind::None, 0, 1, 0, 0}),
    [](const auto &param) { return std::string(param.param.name); });

TEST(TrayIcon, ABalloonTheDesktopRefusesIsReportedAndLeavesTheFlagsNormal)
{
    FakeTrayShell shell;
    QWidget owner;
    TTrayIcon icon(shell, owner);
    icon.setIconVisible(false);
    icon.Loaded(); // not in the tray: every change is refused
    EXPECT_FALSE(icon.ShowTrayBalloon("Orvane", "text", BalloonKind::Information, 10));
    EXPECT_EQ(icon.data().uFlags, 7u);
}

TEST(TrayIcon, TheHintIsCutAndOnlySentWhileShowHintIsSet)
{
    Tray t;
    t.icon.setHint(std::string(130, 'h'));
    EXPECT_EQ(t.shell.calls.back().data.szTip, std::string(127, 'h'));
    t.icon.setShowHint(false);
    EXPECT_EQ(t.shell.calls.back().data.szTip, "");
}

struct EventCase
{
    const char *name;
    TrayEvent event;
    bool enabled;
    int doubleClicks;
    int balloonClicks;
    bool menu;
};

class TrayEvents : public ::testing::TestWithParam<EventCase>
{
};

TEST_P(TrayEvents, RaiseOnlyTheirOwnHandler)
{
    const EventCase &c = GetParam();
    Tray t;
    t.icon.Enabled = c.enabled;
    t.shell.send(c.event, QPoint(40, 700));
    EXPECT_EQ(t.doubleClicks, c.doubleClicks);
    EXPECT_EQ(t.balloonClicks, c.balloonClicks);
    ASSERT_EQ(t.shell.menus.size(), c.menu ? 1u : 0u);
    if (c.menu) {
        // The tray menu, with its corner at the cursor.
        EXPECT_EQ(t.shell.menus[0].first, &t.menu);
        EXPECT_EQ(t.shell.menus[0].second, QPoint(40, 700));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Mouse, TrayEvents,
    ::testing::Values(EventCase{"doubleClick", TrayEvent::LeftDoubleClick, true, 1, 0, false},
                      EventCase{"doubleClickDisabled", TrayEvent::LeftDoubleClick, false, 0, 0, false},
                      EventCase{"rightButton", TrayEvent::RightButtonDown, true, 0, 0, true},
                      EventCase{"rightButtonDisabled", TrayEvent::RightButtonDown, false, 0, 0, false},
                      EventCase{"leftDown", TrayEvent::LeftButtonDown, true, 0, 0, false},
                      EventCase{"leftUp", TrayEvent::LeftButtonUp, true, 0, 0, false},
                      EventCase{"balloonClick", TrayEvent::BalloonUserClick, true, 0, 1, false},
                      EventCase{"balloonClickDisabled", TrayEvent::BalloonUserClick, false, 0, 1, false}),
    [](const auto &param) { return std::string(param.param.name); });

TEST(TrayIcon, MinimizingRunsTheHandlerFirstThenHidesTheWindow)
{
    Tray t;
    t.owner.show();
    std::vector<bool> visibleInHandler;
    t.icon.OnMinimizeToTray = [&] { visibleInHandler.push_back(t.owner.isVisible()); };
    t.owner.setWindowState(Qt::WindowMinimized);

    EXPECT_EQ(visibleInHandler, std::vector<bool>{true});
    EXPECT_FALSE(t.owner.isVisible()); // no window, so no taskbar entry either
    EXPECT_FALSE(t.owner.windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(t.shell.present);

    t.icon.RestoreMainWindow();
    EXPECT_TRUE(t.owner.isVisible());
    EXPECT_FALSE(t.owner.windowState() & Qt::WindowMinimized);
    EXPECT_EQ(visibleInHandler.size(), 1u);
}

TEST(TrayIcon, WithoutMinimizeToTrayTheWindowStaysMinimized)
{
    Tray t;
    t.owner.show();
    int handled = 0;
    t.icon.OnMinimizeToTray = [&] { ++handled; };
    t.icon.MinimizeToTray = false;
    t.owner.setWindowState(Qt::WindowMinimized);
    EXPECT_EQ(handled, 0);
    EXPECT_TRUE(t.owner.windowState() & Qt::WindowMinimized);
}

TEST(TrayIcon, HidingTheWindowPutsARemovedIconBackOnce)
{
    Tray t;
    t.icon.setIconVisible(false);
    EXPECT_FALSE(t.shell.present);
    t.shell.calls.clear();
    t.icon.HideMainWindow();
    t.icon.HideMainWindow();
    ASSERT_EQ(t.shell.calls.size(), 1u);
    EXPECT_EQ(t.shell.calls[0].request, TrayRequest::Add);
    EXPECT_TRUE(t.icon.IconVisible());
}

} // namespace
} // namespace orvane::test
