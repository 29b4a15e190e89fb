#include "ui/app/appwindow.h"

#include "platform/linux/canberrasound.h"
#include "platform/linux/linuxlogclock.h"
#include "platform/linux/sendmaillibrary.h"
#include "platform/linux/syslogeventlog.h"
#include "ui/app/sessionend.h"
#include "ui/autorun.h"
#include "ui/orvaneform.h"
#include "ui/qtdialogs.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>

namespace orvane {

void PrepareApplication()
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
}

int RunMainWindow(QApplication &app, DriveTransport &drives, PowerApi &power, const QString &screenshotFile,
                  std::function<std::string(unsigned)> driveOpenProblem)
{
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orvane"));
    QtDialogs dialogs;
    LinuxLogClock clock;
    SyslogEventLog eventLog;
    NoEventSourceRegistry eventSources;
    SendMailLibrary mail;
    CanberraCommandInterpreter sound;
    FormPlaces places;
    places.programFolder = QCoreApplication::applicationDirPath().toStdString();
    places.executablePath = QCoreApplication::applicationFilePath().toStdString();
    places.autostartFile = AutostartEntryPath();
    places.driveOpenProblem = std::move(driveOpenProblem);
    TOrvane_Form form({drives, dialogs, clock, eventLog, eventSources, mail, sound, power}, places);
    form.FormCreate();
    if (const QScreen *screen = form.screen()) {
        const QRect area = screen->availableGeometry();
        form.move(area.center() - form.rect().center());
    }
    form.show();
    CloseOnSessionEnd(app, form, [&form] { form.EndForSystem(); });
    if (!screenshotFile.isEmpty()) {
        QTimer::singleShot(1500, &form, [&form, screenshotFile] {
            QScreen *screen = form.screen();
            const bool saved = screen && screen->grabWindow(0).save(screenshotFile);
            std::printf("%s\n", qPrintable(saved ? screenshotFile : QStringLiteral("no screenshot")));
            std::fflush(stdout);
            QCoreApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}

} // namespace orvane
