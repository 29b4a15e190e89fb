#pragma once

#include <QString>
#include <functional>
#include <string>

class QApplication;

namespace orvane {

class DriveTransport;
class PowerApi;

// What both programs do before QApplication exists: the window scales itself once by the
// screen's pixels per inch, so Qt must not scale it a second time.
void PrepareApplication();

// Creates the window on `drives` and `power` with this machine's clock, system log, mail
// library and sound, runs its start-up, shows it centred and runs the event loop until it
// has closed. With a screenshot file, the screen is saved there once the window is up and
// the program ends without closing the window (nothing is saved).
// `driveOpenProblem` tells why a drive that is there cannot be opened (see FormPlaces).
int RunMainWindow(QApplication &app, DriveTransport &drives, PowerApi &power, const QString &screenshotFile = QString(),
                  std::function<std::string(unsigned)> driveOpenProblem = {});

} // namespace orvane
