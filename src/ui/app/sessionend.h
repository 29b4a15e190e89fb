#pragma once

#include <functional>

class QGuiApplication;
class QWidget;

namespace orvane {

// Ends the program through `end` when the desktop session ends and when the process gets
// SIGTERM, SIGINT or SIGHUP (the terminal closed), so that the settings are saved when the
// machine shuts down. `end` saves and closes `window` whatever the save does: nobody may be
// there to answer a box. `window` owns the watch.
void CloseOnSessionEnd(QGuiApplication &app, QWidget &window, std::function<void()> end);

} // namespace orvane
