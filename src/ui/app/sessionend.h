#pragma once

class QGuiApplication;
class QWidget;

namespace orvane {

// Asks `window` to close, as its close box does, when the desktop session ends and when
// the process gets SIGTERM or SIGINT, so that the settings are saved when the machine shuts
// down. A close that the window refuses (its settings could not be saved) keeps it open and
// cancels the session's end where the session manager allows it.
void CloseOnSessionEnd(QGuiApplication &app, QWidget &window);

} // namespace orvane
