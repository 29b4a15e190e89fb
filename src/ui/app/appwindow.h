#pragma once

#include <QString>

class QApplication;

namespace orvane {

struct SystemServices;

// What both programs do before QApplication exists: the window scales itself once by the
// screen's pixels per inch, so Qt must not scale it a second time.
void PrepareApplication();

// Creates the window on the platform's `services` (every member set), runs its start-up,
// shows it centred and runs the event loop until it has closed. With a screenshot file, the
// screen is saved there once the window is up and the program ends without closing the
// window (nothing is saved).
int RunMainWindow(QApplication &app, SystemServices &services, const QString &screenshotFile = QString());

} // namespace orvane
