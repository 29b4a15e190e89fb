#pragma once

#include <QString>

class QApplication;

namespace orvane {

class DriveTransport;
class PowerApi;

// What both programs do before QApplication exists: the window scales itself once by the
// screen's pixels per inch, so Qt must not scale it a second time.
void PrepareApplication();

struct RunOptions
{
    // Save the screen here once the window is up, then end without closing the window
    // (nothing is saved).
    QString screenshotFile;
    // Without config.xml in the current folder, tick "Show disk status in the system tray"
    // after start-up, so that a first run shows the temperatures in the tray's balloon.
    bool diskStatusOnFirstStart = false;
};

// Creates the window on `drives` and `power` with this machine's clock, system log, mail
// library, sound, tray icon and desktop opener, runs its start-up, shows it centred and
// runs the event loop until it has closed.
int RunMainWindow(QApplication &app, DriveTransport &drives, PowerApi &power, const RunOptions &options = {});

} // namespace orvane
