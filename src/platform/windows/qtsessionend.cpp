// SPDX-License-Identifier: MIT
#include "platform/windows/qtsessionend.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QWidget>

namespace orvane {

void QtSessionEnd::closeOnSessionEnd(QGuiApplication &app, QWidget &window, std::function<void()> end)
{
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [end](QSessionManager &) { end(); });
}

std::unique_ptr<SessionEndWatcher> CreateSessionEndWatcher()
{
    return std::make_unique<QtSessionEnd>();
}

} // namespace orvane
