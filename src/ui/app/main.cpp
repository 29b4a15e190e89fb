// orvane: the window on this machine's drives. No options: Qt's own (-platform, ...) only.
#include "drive/drivetransport.h"
#include "platform/linux/logindpower.h"
#include "platform/systemdrives.h"
#include "ui/app/appwindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
    orvane::PrepareApplication();
    QApplication app(argc, argv);
    const std::unique_ptr<orvane::DriveControl> control = orvane::CreateSystemDriveControl();
    orvane::DriveTransport drives(*control);
    orvane::LogindPower power;
    return orvane::RunMainWindow(app, drives, power);
}
