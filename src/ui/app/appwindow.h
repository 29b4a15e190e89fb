// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <functional>
#include <string>

class QApplication;

namespace orvane {

struct SystemServices;

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

// Creates the window on the platform's `services` (every member set but the notifier, which
// may be null: the tray's own balloons then), runs its start-up, shows it centred and runs
// the event loop until it has closed.
int RunMainWindow(QApplication &app, SystemServices &services, const RunOptions &options = {});

} // namespace orvane
