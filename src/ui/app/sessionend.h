// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

class QGuiApplication;
class QWidget;

namespace orvane {

// Ending the program when the user's session or the process ends, so that the settings are
// saved when the machine shuts down or the terminal closes. Each platform knows how its
// session and its process are ended.
class SessionEndWatcher
{
public:
    virtual ~SessionEndWatcher() = default;

    // Calls `end` when the desktop session ends or the process is told to stop (on Linux
    // SIGTERM, SIGINT and SIGHUP). `end` saves the settings and closes `window` whatever
    // the save does: nobody may be there to answer a box. `app` and `window` outlive the
    // watch; `window` is the context of its connections.
    virtual void closeOnSessionEnd(QGuiApplication &app, QWidget &window, std::function<void()> end) = 0;
};

} // namespace orvane
