// SPDX-License-Identifier: MIT
#include "ui/orvaneform.h"

#include "monitor/activitylog.h"
#include "ui/assets.h"
#include "ui/dialogs.h"
#include "ui/formwatch.h"
#include "ui/memologpage.h"
#include "ui/reportlistview.h"
#include "ui/trayicon.h"
#include "ui/verdictdelegate.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace orvane {

namespace {

// Design sizes at 96 pixels per inch.
constexpr int kClientWidth = 693;
constexpr int kClientHeight = 509;
constexpr int kBandHeight = 55;
constexpr int kDriveListHeight = 58;
constexpr int kRightPictureLeft = 395;
constexpr int kRightPictureWidth = 306;

// The verdict icons: column, offset from the row's origin, bold text.
constexpr int kDriveVerdictColumn = 3;
constexpr QPoint kDriveIconOffset(13, -2);
constexpr int kSmartVerdictColumn = 6;
constexpr QPoint kSmartIconOffset(20, -3);

QWidget *fillingPage(const QString &name, QWidget *content)
{
    auto *page = new QWidget;
    page->setObjectName(name);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    return page;
}

} // namespace

TOrvane_Form::TOrvane_Form(FormServices services, FormPlaces places, QWidget *parent)
    : QWidget(parent)
    , fisNTEventLog1(services.eventLog, services.eventSources)
    , m_drives(services.drives)
    , m_dialogs(services.dialogs)
    , m_mail(services.mail)
    , m_sound(services.sound)
    , m_power(services.power)
    , m_autostart(services.autostart)
    , m_tray(services.tray)
    , m_opener(services.opener)
    , m_places(std::move(places))
{
    setObjectName(QStringLiteral("Orvane_Form"));
    setWindowIcon(WindowIcon());
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Lato"), QStringLiteral("DejaVu Sans")});
    QFont face(QStringLiteral("MS Sans Serif"));
    face.setPixelSize(11);
    setFont(face);
    resize(kClientWidth, kClientHeight);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    createHeader();
    createLists();
    createPages();
    createBottomBar();
    layout->addWidget(Image1);
    layout->addWidget(HDDs_ListView);
    layout->addWidget(Main_PageControl, 1);
    layout->addWidget(Panel1);
    createTimers();
    fisNTEventLog1.setAppName("Orvane");
    m_logPage = std::make_unique<MemoLogPage>(*Log_Memo);
    m_log = std::make_unique<ActivityLog>(services.clock, *m_logPage, fisNTEventLog1);
    m_watch =
        std::make_unique<FormWatch>(*this, WatchServices{m_drives, *m_log, fisNTEventLog1, m_mail, m_sound, m_power});
    connect(CheckTemp_Timer, &QTimer::timeout, this, [this] { CheckTemp_TimerTimer(); });
    connect(Hibernate_Timer, &QTimer::timeout, this, [this] { Hibernate_TimerTimer(); });
    createTray();
}

TOrvane_Form::~TOrvane_Form()
{
    // The tray icon leaves the tray while the window it watches is still whole.
    delete TrayIcon1;
}

void TOrvane_Form::createHeader()
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(AssetPicture(QStringLiteral("header-band.png")));
    Image1->setScaledContents(true);
    Image1->setFixedHeight(kBandHeight);
    Image1->installEventFilter(this);

    Image3 = new QLabel(Image1);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setPixmap(AssetPicture(QStringLiteral("header-banner.png")));
    Image3->setScaledContents(true);
    Image3->setGeometry(0, -4, kRightPictureLeft, kBandHeight);

    Image2 = new QLabel(Image1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(AssetPicture(QStringLiteral("header-right.png")));
    Image2->setScaledContents(true);
    Image2->setGeometry(kRightPictureLeft, 0, kRightPictureWidth, kBandHeight);
}

void TOrvane_Form::createLists()
{
    HDDs_ListView = new ReportListView(QStringLiteral("HDDs_ListView"),
                                       {{QStringLiteral("ID"), 50, false},
                                        {QStringLiteral("Model"), 200, true},
                                        {QStringLiteral("Temp"), 50, false},
                                        {QStringLiteral("Status"), 50, true}},
                                       this);
    HDDs_ListView->setCheckBoxes(true);
    HDDs_ListView->setFixedHeight(kDriveListHeight);
    HDDs_ListView->setVerdictDelegate(new VerdictDelegate(kDriveVerdictColumn, kDriveIconOffset, true, HDDs_ListView));
    connect(HDDs_ListView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected, const QItemSelection &deselected) {
                // The row that loses the selection first, then the one that gets it.
                for (const QModelIndex &index : deselected.indexes()) {
                    if (index.column() == 0) {
                        HDDs_ListViewSelectItem(index.row(), false);
                    }
                }
                for (const QModelIndex &index : selected.indexes()) {
                    if (index.column() == 0) {
                        HDDs_ListViewSelectItem(index.row(), true);
                    }
                }
            });

    DiskInfo_ListView =
        new ReportListView(QStringLiteral("DiskInfo_ListView"),
                           {{QStringLiteral("Name"), 200, true}, {QStringLiteral("Value"), 150, true}}, this);
    SMARTInfo_ListView = new ReportListView(QStringLiteral("SMARTInfo_ListView"),
                                            {{QStringLiteral("ID"), 45, false},
                                             {QStringLiteral("Attribute Name"), 150, true},
                                             {QStringLiteral("Threshold"), 70, false},
                                             {QStringLiteral("Value"), 50, false},
                                             {QStringLiteral("Worst"), 50, false},
                                             {QStringLiteral("RAW"), 60, false},
                                             {QStringLiteral("Status"), 0, false}},
                                            this);
    SMARTInfo_ListView->setVerdictDelegate(
        new VerdictDelegate(kSmartVerdictColumn, kSmartIconOffset, false, SMARTInfo_ListView));
}

void TOrvane_Form::createPages()
{
    Main_PageControl = new QTabWidget(this);
    Main_PageControl->setObjectName(QStringLiteral("Main_PageControl"));
    Main_PageControl->setIconSize(QSize(16, 16));
    DiskInfo_TabSheet = fillingPage(QStringLiteral("DiskInfo_TabSheet"), DiskInfo_ListView);
    SMARTInfo_TabSheet = fillingPage(QStringLiteral("SMARTInfo_TabSheet"), SMARTInfo_ListView);
    Main_PageControl->addTab(DiskInfo_TabSheet, ListIcon(2), QStringLiteral("Disk Info"));
    Main_PageControl->addTab(SMARTInfo_TabSheet, ListIcon(3), QStringLiteral("SMART Info"));
    CreatePreferencesPage(*this);
    Main_PageControl->addTab(Preferences_TabSheet, ListIcon(5), QStringLiteral("Preferences"));
    CreateLogPage(*this);
    Main_PageControl->addTab(Log_TabSheet, ListIcon(6), QStringLiteral("Log"));
    CreateAboutPage(*this);
    const int about = Main_PageControl->addTab(about_TabSheet, ListIcon(4), QStringLiteral("About"));
    Main_PageControl->setTabVisible(about, false);
    connect(Main_PageControl, &QTabWidget::currentChanged, this, [this](int index) {
        if (Main_PageControl->widget(index) == SMARTInfo_TabSheet) {
            SMARTInfo_TabSheetShow();
        }
    });
}

void TOrvane_Form::createTimers()
{
    // The watch and the refresh start running with the window; start-up makes the watch
    // follow TempWarn. The countdown runs only while the watch's question is open.
    CheckTemp_Timer = new QTimer(this);
    CheckTemp_Timer->setObjectName(QStringLiteral("CheckTemp_Timer"));
    CheckTemp_Timer->setInterval(30000);
    CheckTemp_Timer->start();
    Monitor_Timer = new QTimer(this);
    Monitor_Timer->setObjectName(QStringLiteral("Monitor_Timer"));
    Monitor_Timer->setInterval(300000);
    Monitor_Timer->start();
    Hibernate_Timer = new QTimer(this);
    Hibernate_Timer->setObjectName(QStringLiteral("Hibernate_Timer"));
    Hibernate_Timer->setInterval(1000);
}

void TOrvane_Form::closeEvent(QCloseEvent *event)
{
    bool canClose = true;
    if (!m_endingForSystem) {
        FormCloseQuery(canClose);
    }
    event->setAccepted(canClose);
    if (canClose) {
        // The program ends: a hibernation question still open is closed unanswered.
        m_watch->windowClosing();
        Q_EMIT closed();
    }
}

bool TOrvane_Form::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Panel1 && event->type() == QEvent::Resize) {
        placeBarBackground();
    }
    if (watched == Image1 && event->type() == QEvent::Resize) {
        // The right-hand picture keeps its distance to the band's right edge.
        const int fromRight = qRound((kClientWidth - kRightPictureLeft) * m_scale);
        Image2->move(Image1->width() - fromRight, 0);
    }
    if (event->type() == QEvent::FocusOut && !m_refocusing) {
        // Leaving a field for another control of the window; switching to another window
        // or opening a box is not leaving it.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (watched == CritTemp_Edit) {
                CritTemp_EditExit();
            } else if (watched == Email_Edit) {
                Email_EditExit();
            } else if (watched == SoundPath_Edit) {
                SoundPath_EditExit();
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace orvane
