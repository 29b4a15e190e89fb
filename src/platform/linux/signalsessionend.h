// SPDX-License-Identifier: MIT
#pragma once

#include "ui/app/sessionend.h"

namespace orvane {

// The session manager's end of session, and SIGTERM, SIGINT and SIGHUP, which is how a Linux
// machine that shuts down ends the processes of a session without a session manager.
class SignalSessionEnd : public SessionEndWatcher
{
public:
    void closeOnSessionEnd(QGuiApplication &app, QWidget &window, std::function<void()> end) override;
};

} // namespace orvane
