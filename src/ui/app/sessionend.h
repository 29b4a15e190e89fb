#pragma once

class QGuiApplication;
class QWidget;

namespace orvane {

// Closing the window when the user's session or the process ends, so that the settings are
// saved when the machine shuts down. Each platform knows how its session and its process
// are ended.
class SessionEndWatcher
{
public:
    virtual ~SessionEndWatcher() = default;

    // Asks `window` to close, as its close box does, when the desktop session ends or the
    // process is told to stop. A close that the window refuses (its settings could not be
    // saved) keeps it open and cancels the session's end where the session manager allows
    // it. `app` and `window` outlive the watch.
    virtual void closeOnSessionEnd(QGuiApplication &app, QWidget &window) = 0;
};

} // namespace orvane
