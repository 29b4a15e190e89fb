// SPDX-License-Identifier: MIT
// The tray icon with its menu, and the status refresh that reports into its balloon.
#include "monitor/activitylog.h"
#include "monitor/messages.h"
#include "monitor/statusrefresh.h"
#include "ui/assets.h"
#include "ui/orvaneform.h"
#include "ui/reportlistview.h"
#include "ui/rolloverimage.h"
#include "ui/trayicon.h"

#include <QMenu>
#include <QTimer>

namespace orvane {

namespace {

// The drive list's captions and "Temp" cells.
class ListRows : public DriveListRows
{
public:
    explicit ListRows(ReportListView &list)
        : m_list(list)
    {
    }

    std::optional<std::string> caption(int row) const override
    {
        if (row < 0 || row >= m_list.rowCount()) {
            return std::nullopt;
        }
        return m_list.cellText(row, 0);
    }

    void setTemperatureText(int row, const std::string &text) override { m_list.setCellText(row, 2, text); }

private:
    ReportListView &m_list;
};

QAction *menuItem(QMenu &menu, const char *name, const QString &caption)
{
    QAction *item = caption == QStringLiteral("-") ? menu.addSeparator() : menu.addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

} // namespace

void TOrvane_Form::createTray()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    ShowOrvane1 = menuItem(*PopupMenu1, "ShowOrvane1", QStringLiteral("Show Orvane"));
    N2 = menuItem(*PopupMenu1, "N2", QStringLiteral("-"));
    Checkdrivenow1 = menuItem(*PopupMenu1, "Checkdrivenow1", QStringLiteral("Check drive now!"));
    N1 = menuItem(*PopupMenu1, "N1", QStringLiteral("-"));
    Exit1 = menuItem(*PopupMenu1, "Exit1", QStringLiteral("Exit"));
    connect(ShowOrvane1, &QAction::triggered, this, [this] { TrayIcon1DblClick(); });
    connect(Checkdrivenow1, &QAction::triggered, this, [this] { Checkdrivenow1Click(); });
    connect(Exit1, &QAction::triggered, this, [this] { Exit1Click(); });
    helpRollover->PopupMenu = PopupMenu1;

    TrayIcon1 = new TTrayIcon(m_tray, *this);
    TrayIcon1->setObjectName(QStringLiteral("TrayIcon1"));
    TrayIcon1->setIcon(TrayPicture());
    TrayIcon1->PopupMenu = PopupMenu1;
    TrayIcon1->OnDblClick = [this] { TrayIcon1DblClick(); };
    TrayIcon1->OnBalloonHintClick = [this] { TrayIcon1DblClick(); };
    TrayIcon1->OnMinimizeToTray = [this] { TrayIcon1MinimizeToTray(); };
    TrayIcon1->Loaded();

    connect(Monitor_Timer, &QTimer::timeout, this, [this] { Monitor_TimerTimer(); });
}

void TOrvane_Form::RefreshTrayStatus()
{
    ListRows rows(*HDDs_ListView);
    ::orvane::RefreshTrayStatus(Config.DiskStatus, DriveCount, m_drives, rows, *TrayIcon1);
}

void TOrvane_Form::Monitor_TimerTimer()
{
    LogEvent(msg::kShowDiskInformation);
    RefreshTrayStatus();
}

void TOrvane_Form::Checkdrivenow1Click()
{
    RefreshTrayStatus();
}

void TOrvane_Form::TrayIcon1DblClick()
{
    TrayIcon1->RestoreMainWindow();
}

void TOrvane_Form::TrayIcon1MinimizeToTray()
{
    RefreshTrayStatus();
}

void TOrvane_Form::Exit1Click()
{
    // The close query saves the settings; a save that fails keeps the program running.
    close();
}

} // namespace orvane
