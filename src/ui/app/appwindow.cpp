// SPDX-License-Identifier: MIT
#include "ui/app/appwindow.h"

#include "drive/drivetransport.h"
#include "platform/systemservices.h"
#include "ui/orvaneform.h"
#include "ui/qtdialogs.h"
#include "ui/qttrayshell.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>

namespace orvane {

void PrepareApplication()
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
}

int RunMainWindow(QApplication &app, SystemServices &services, const RunOptions &options)
{
    // The window hides into the tray, so the program ends when the window closes, not when
    // the last window on the screen goes (a message box closed while the window is in the
    // tray would otherwise end it).
    QApplication::setQuitOnLastWindowClosed(false);
    const bool firstStart = !QFileInfo::exists(QStringLiteral("config.xml"));
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Orvane"));
    QtDialogs dialogs;
    DriveTransport drives(*services.drives);
    QtTrayShell tray(services.notifier.get());
    FormPlaces places;
    places.programFolder = QCoreApplication::applicationDirPath().toStdString();
    places.dataFolder = places.programFolder + "/" ORVANE_DATA_FROM_PROGRAM;
    places.executablePath = QCoreApplication::applicationFilePath().toStdString();
    places.driveOpenProblem = services.driveOpenProblem;
    TOrvane_Form form({drives, dialogs, *services.clock, *services.eventLog, *services.eventSources, *services.mail,
                       *services.sound, *services.power, *services.autostart, tray, *services.opener},
                      places);
    QObject::connect(&form, &TOrvane_Form::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    form.FormCreate();
    if (firstStart && options.diskStatusOnFirstStart) {
        form.DiskStatus_CheckBox->setChecked(true);
    }
    if (const QScreen *screen = form.screen()) {
        const QRect area = screen->availableGeometry();
        form.move(area.center() - form.rect().center());
    }
    form.show();
    services.sessionEnd->closeOnSessionEnd(app, form, [&form] { form.EndForSystem(); });
    const QString screenshotFile = options.screenshotFile;
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
