// SPDX-License-Identifier: MIT
// The window with its tray icon: the menu, minimizing into the tray and back, and "Exit".
#include "ui/rolloverimage.h"
#include "ui/trayicon.h"
#include "uitestsupport.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace orvane::test {
namespace {

std::string fileText(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(TrayWindow, TheMenuHoldsItsThreeItemsAndNoDefault)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    const QList<QAction *> items = form.PopupMenu1->actions();
    ASSERT_EQ(items.size(), 5);
    const std::pair<const char *, const char *> expected[] = {{"ShowOrvane1", "Show Orvane"},
                                                              {"N2", ""},
                                                              {"Checkdrivenow1", "Check drive now!"},
                                                              {"N1", ""},
                                                              {"Exit1", "Exit"}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(items[i]->objectName().toStdString(), expected[i].first);
        EXPECT_EQ(items[i]->text().toStdString(), expected[i].second);
        EXPECT_EQ(items[i]->isSeparator(), expected[i].second[0] == '\0');
    }
    EXPECT_EQ(form.PopupMenu1->defaultAction(), nullptr);
    EXPECT_EQ(form.TrayIcon1->PopupMenu, form.PopupMenu1);
    // In the tray from the start, without a tooltip.
    EXPECT_TRUE(h.tray.present);
    EXPECT_EQ(h.tray.calls.back().data.szTip, "");
    EXPECT_FALSE(h.tray.calls.back().data.hIcon.isNull());
}

TEST(TrayWindow, TheTrayPictureComesInEverySizeFrom16To72)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    const QList<QSize> sizes = form.TrayIcon1->Icon().availableSizes();
    for (const int side : {16, 22, 24, 32, 48, 64, 72}) {
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    }
}

TEST(TrayWindow, RightClickOnTheHelpPictureOpensTheTrayMenu)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    form.show();
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(3, 3), form.helpRollover->mapToGlobal(QPoint(3, 3)));
    QCoreApplication::sendEvent(form.helpRollover, &click);
    EXPECT_TRUE(form.PopupMenu1->isVisible());
    form.PopupMenu1->close();
}

TEST(TrayWindow, MinimizingRefreshesFirstThenHidesAndShowOrvaneBringsItBack)
{
    FormHarness h;
    h.addDrive(0, "DISK A", 35);
    TOrvane_Form &form = h.create();
    form.FormCreate();
    form.DiskStatus_CheckBox->setChecked(true);
    form.show();
    h.tray.calls.clear();
    std::vector<bool> visibleAtBalloon;
    h.tray.onNotify = [&](const TrayIconData &data) {
        if (!data.szInfo.empty()) {
            visibleAtBalloon.push_back(form.isVisible());
        }
    };

    form.setWindowState(Qt::WindowMinimized);
    EXPECT_EQ(visibleAtBalloon, std::vector<bool>{true}); // one refresh, before the hiding
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.windowState() & Qt::WindowMinimized);

    form.ShowOrvane1->trigger();
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.windowState() & Qt::WindowMinimized);
    EXPECT_EQ(visibleAtBalloon.size(), 1u);
    h.tray.onNotify = nullptr;
}

TEST(TrayWindow, DoubleClickAndBalloonClickRestoreAndRightButtonOpensTheMenu)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    form.FormCreate();
    for (const TrayEvent event : {TrayEvent::LeftDoubleClick, TrayEvent::BalloonUserClick}) {
        form.show();
        form.setWindowState(Qt::WindowMinimized);
        ASSERT_FALSE(form.isVisible());
        h.tray.send(TrayEvent::LeftButtonDown);
        h.tray.send(TrayEvent::LeftButtonUp);
        EXPECT_FALSE(form.isVisible()); // a single click does nothing
        h.tray.send(event);
        EXPECT_TRUE(form.isVisible());
    }
    // Again on a window that is shown: it stays as it is.
    h.tray.send(TrayEvent::LeftDoubleClick);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.windowState() & Qt::WindowMinimized, 0);

    h.tray.send(TrayEvent::RightButtonDown, QPoint(12, 34));
    ASSERT_EQ(h.tray.menus.size(), 1u);
    EXPECT_EQ(h.tray.menus[0].first, form.PopupMenu1);
    EXPECT_EQ(h.tray.menus[0].second, QPoint(12, 34));
}

TEST(TrayWindow, CheckDriveNowFromTheMenuRefreshes)
{
    FormHarness h;
    h.addDrive(0, "DISK A", 35);
    TOrvane_Form &form = h.create();
    form.FormCreate();
    form.DiskStatus_CheckBox->setChecked(true);
    form.Checkdrivenow1->trigger();
    ASSERT_EQ(h.tray.balloons().size(), 1u);
    EXPECT_EQ(h.tray.balloons()[0].szInfo,
              "DISK A                                  \rTemp: 35\xB0"
              "C\r");
}

TEST(TrayWindow, ExitWhileInTheTraySavesTheSettingsAndEndsTheProgram)
{
    FormHarness h;
    {
        TOrvane_Form &form = h.create();
        form.FormCreate();
        form.DiskStatus_CheckBox->setChecked(true);
        form.show();
        form.setWindowState(Qt::WindowMinimized);
        ASSERT_FALSE(form.isVisible());
        QSignalSpy closed(&form, &TOrvane_Form::closed);

        form.Exit1->trigger();
        EXPECT_EQ(closed.count(), 1);
        EXPECT_NE(fileText("config.xml").find("<DiskStatus>-1</DiskStatus>"), std::string::npos);
    }
    h.destroyForm();
    EXPECT_FALSE(h.tray.present);
    EXPECT_EQ(h.tray.calls.back().request, TrayRequest::Delete);
}

TEST(TrayWindow, ExitWhoseSaveFailsKeepsTheProgramRunning)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    form.FormCreate();
    std::filesystem::create_directory("config.xml");
    QSignalSpy closed(&form, &TOrvane_Form::closed);
    form.Exit1->trigger();
    EXPECT_EQ(closed.count(), 0);
    EXPECT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_TRUE(h.tray.present);
}

} // namespace
} // namespace orvane::test
