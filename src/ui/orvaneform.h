// SPDX-License-Identifier: MIT
#pragma once

#include "drive/attrreading.h"
#include "drive/drivetransport.h"
#include "monitor/fisnteventlog.h"
#include "settings/config.h"

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimer;

namespace orvane {

class ActivityLog;
class AutostartEntry;
class DesktopOpener;
class Dialogs;
class EventLogApi;
class EventSourceRegistry;
class FormWatch;
class LogClock;
class MailLibrary;
class MemoLogPage;
class MultimediaApi;
class PowerApi;
class ReportListView;
class TRolloverImage;
class TTrayIcon;
class TrayShell;

// What the window works with. All of them outlive the window.
struct FormServices
{
    DriveTransport &drives;
    Dialogs &dialogs; // message boxes and file dialogs
    LogClock &clock; // the time of every log line
    EventLogApi &eventLog; // the system event log
    EventSourceRegistry &eventSources;
    MailLibrary &mail; // alert and test mails
    MultimediaApi &sound; // the alert sound of the temperature watch
    PowerApi &power; // the emergency hibernation of the temperature watch
    AutostartEntry &autostart; // starting with the user's session
    TrayShell &tray; // the desktop's notification area
    DesktopOpener &opener; // web pages and the support mail
};

// Where the window finds and puts things outside itself.
struct FormPlaces
{
    std::string programFolder; // the running executable's folder: readme.txt
    std::string dataFolder; // the installed data folder: readme.txt when the program folder has none
    std::string executablePath; // the running executable: the autostart entry runs it
    double screenPpi = 0; // pixels per inch of the screen; 0: ask the screen
    // Why drive N is there but cannot be opened (no privilege), or empty text; none: never.
    std::function<std::string(unsigned)> driveOpenProblem;
};

// The program's one window. It owns all state for the life of the process: the settings,
// the drive list and its reports, the log, the timers. Handlers are public and named after
// the component and the event, so that tests can call them as a user action would.
class TOrvane_Form : public QWidget
{
    Q_OBJECT
public:
    TOrvane_Form(FormServices services, FormPlaces places, QWidget *parent = nullptr);
    ~TOrvane_Form() override;

    // Start-up and shutdown.
    void FormCreate();
    void FormCloseQuery(bool &canClose);
    // The system or the terminal ends the program (the session ends, SIGTERM, SIGINT,
    // SIGHUP): the settings are saved as at every close, but a failed save is reported in
    // the log (and so the system log) and on standard error instead of in a box, and the
    // window closes all the same. The event loops end, a box's too, with status 0, or 1
    // after a failed save.
    void EndForSystem();
    void LoadConfig();
    void SaveConfig();
    [[nodiscard]] double scaleFactor() const { return m_scale; }

    // Drives and their reports.
    void AddDriveRow(int drive, const std::string &model, const TAttrReading &reading);
    void ShowDriveDetails(const std::string &driveText);
    void HDDs_ListViewSelectItem(int row, bool selected);
    void SMARTInfo_TabSheetShow();

    // The activity log and the Log page.
    void LogEvent(std::string_view message);
    void Save_ButtonClick();
    void Clear_ButtonClick();

    // The Preferences page.
    void AutoRun_CheckBoxClick();
    void LogEvents_CheckBoxClick();
    void SystemLogEvents_CheckBoxClick();
    void DiskStatus_CheckBoxClick();
    void Hibernate_CheckBoxClick();
    void TempWarn_CheckBoxClick();
    void PopupNotify_CheckBoxClick();
    void EmailNotify_CheckBoxClick();
    void SndFile_CheckBoxClick();
    void CritTemp_EditChange();
    void CritTemp_EditExit();
    void Email_EditChange();
    void Email_EditExit();
    void SoundPath_EditChange();
    void SoundPath_EditExit();
    void SndBrowse_ButtonClick();
    void MailTest_ButtonClick();

    // The tray icon, its menu and the status refresh.
    void RefreshTrayStatus();
    void Monitor_TimerTimer();
    void Checkdrivenow1Click();
    void TrayIcon1DblClick();
    void TrayIcon1MinimizeToTray();
    void Exit1Click();

    // The bottom bar and the information page.
    void OpenURL(const std::string &address);
    void helpRolloverClick();
    void SupportRolloverClick();
    void InfoRolloverClick();
    void websiteRolloverClick();
    void websiteValueClick();
    void emailValueClick();

    // Start with the desktop session.
    void EnableAutoRun();
    void DisableAutoRun();

    // The temperature watch (CheckTemp_Timer) and the hibernation countdown (Hibernate_Timer).
    void CheckTemp_TimerTimer();
    void Hibernate_TimerTimer();

    // State.
    TConfig Config;
    std::uint8_t CritTemp = 0;
    std::uint8_t DriveCount = 0;
    std::uint8_t HibernateCountdown = 0;

    // Components, named as the window's resource names them.
    QWidget *HeaderBand = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Image2 = nullptr;
    QLabel *Image3 = nullptr;
    ReportListView *HDDs_ListView = nullptr;
    QTabWidget *Main_PageControl = nullptr;
    QWidget *DiskInfo_TabSheet = nullptr;
    QWidget *SMARTInfo_TabSheet = nullptr;
    QWidget *Preferences_TabSheet = nullptr;
    QWidget *Log_TabSheet = nullptr;
    QWidget *about_TabSheet = nullptr;
    ReportListView *DiskInfo_ListView = nullptr;
    ReportListView *SMARTInfo_ListView = nullptr;
    QPlainTextEdit *Log_Memo = nullptr;
    QGroupBox *Log_GroupBox = nullptr;
    QPushButton *Save_Button = nullptr;
    QPushButton *Clear_Button = nullptr;
    QPlainTextEdit *readmeMemo = nullptr;
    QLabel *websiteLabel = nullptr;
    QLabel *websiteValue = nullptr;
    QLabel *emailLabel = nullptr;
    QLabel *emailValue = nullptr;
    QFrame *Panel1 = nullptr;
    QLabel *Image10 = nullptr;
    TRolloverImage *helpRollover = nullptr;
    TRolloverImage *SupportRollover = nullptr;
    TRolloverImage *InfoRollover = nullptr;
    TRolloverImage *aboutRollover = nullptr;
    TRolloverImage *websiteRollover = nullptr;
    QLabel *Image9 = nullptr;

    TTrayIcon *TrayIcon1 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *ShowOrvane1 = nullptr;
    QAction *N2 = nullptr;
    QAction *Checkdrivenow1 = nullptr;
    QAction *N1 = nullptr;
    QAction *Exit1 = nullptr;

    QCheckBox *AutoRun_CheckBox = nullptr;
    QCheckBox *LogEvents_CheckBox = nullptr;
    QCheckBox *SystemLogEvents_CheckBox = nullptr;
    QCheckBox *DiskStatus_CheckBox = nullptr;
    QCheckBox *Hibernate_CheckBox = nullptr;
    QCheckBox *TempWarn_CheckBox = nullptr;
    QLineEdit *CritTemp_Edit = nullptr;
    QCheckBox *PopupNotify_CheckBox = nullptr;
    QCheckBox *EmailNotify_CheckBox = nullptr;
    QLineEdit *Email_Edit = nullptr;
    QPushButton *MailTest_Button = nullptr;
    QCheckBox *SndFile_CheckBox = nullptr;
    QLineEdit *SoundPath_Edit = nullptr;
    QPushButton *SndBrowse_Button = nullptr;
    QLabel *OK_Image = nullptr;
    QLabel *BAD_Image = nullptr;

    // The system event log's writer; LogEvent reaches it once start-up has registered it.
    TfisNTEventLog fisNTEventLog1;

    // The temperature watch (30 s, follows TempWarn), the status refresh (5 min) and the
    // hibernation countdown (1 s).
    QTimer *CheckTemp_Timer = nullptr;
    QTimer *Monitor_Timer = nullptr;
    QTimer *Hibernate_Timer = nullptr;

Q_SIGNALS:
    // The window has closed for good (its close query agreed): the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createHeader();
    void createLists();
    void createPages();
    void createTimers();
    void createTray();
    void createBottomBar();
    void placeBarBackground();
    void scaleToScreen();
    void loadReadme();
    void setColumnWidths();
    void probeDrives();
    void explainEmptyDriveList();

    DriveTransport &m_drives;
    Dialogs &m_dialogs;
    MailLibrary &m_mail;
    MultimediaApi &m_sound;
    PowerApi &m_power;
    AutostartEntry &m_autostart;
    TrayShell &m_tray;
    DesktopOpener &m_opener;
    FormPlaces m_places;
    std::unique_ptr<MemoLogPage> m_logPage;
    std::unique_ptr<ActivityLog> m_log;
    std::unique_ptr<FormWatch> m_watch;
    double m_scale = 1.0;
    bool m_refocusing = false; // focus put back by the program: no field is left
    // The record as a load that failed left it. config.xml is then kept as it is unless a
    // setting changes; a save then keeps the old file beside the new one.
    std::optional<TConfig> m_unreadConfig;
    bool m_endingForSystem = false; // saved already: the close asks nothing more
};

// Builders of the pages, one file each.
void CreatePreferencesPage(TOrvane_Form &form);
void CreateLogPage(TOrvane_Form &form);
void CreateAboutPage(TOrvane_Form &form);

} // namespace orvane
