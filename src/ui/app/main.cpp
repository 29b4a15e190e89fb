// orvane: the window on this machine's drives. No options: Qt's own (-platform, ...) only.
#include "drive/drivetransport.h"
#include "platform/linux/logindpower.h"
#include "platform/systemdrives.h"
#include "text/cp1252.h"
#include "ui/app/appwindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
    orvane::PrepareApplication();
    QApplication app(argc, argv);
    const std::unique_ptr<orvane::DriveControl> control = orvane::CreateSystemDriveControl();
    orvane::DriveTransport drives(*control);
    orvane::LogindPower power;
    // The system's text (UTF-8) as the program's own (Windows-1252).
    const auto openProblem = [](unsigned drive) { return orvane::utf8ToCp1252(orvane::SystemDriveOpenProblem(drive)); };
    return orvane::RunMainWindow(app, drives, power, QString(), openProblem);
}
