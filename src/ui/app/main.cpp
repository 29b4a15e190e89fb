// SPDX-License-Identifier: MIT
// orvane: the window on this machine's drives. No options: Qt's own (-platform, ...) only.
#include "platform/systemservices.h"
#include "ui/app/appwindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
    orvane::PrepareApplication();
    QApplication app(argc, argv);
    orvane::SystemServices services = orvane::createSystemServices();
    return orvane::RunMainWindow(app, services);
}
