// SPDX-License-Identifier: MIT
#pragma once

#include "ui/app/sessionend.h"

#include <memory>

namespace orvane {

// Windows ends a session by asking every window whether it may end (WM_QUERYENDSESSION),
// which Qt hands on as its session manager's commitDataRequest: the program then saves its
// settings and ends whatever the save does, since nobody may be there to answer a box. A
// program without a window has nothing to close.
class QtSessionEnd : public SessionEndWatcher
{
public:
    void closeOnSessionEnd(QGuiApplication &app, QWidget &window, std::function<void()> end) override;
};

// The watcher of this build: QtSessionEnd where the window is built with Qt, none (null)
// in a build without the window.
[[nodiscard]] std::unique_ptr<SessionEndWatcher> CreateSessionEndWatcher();

} // namespace orvane
