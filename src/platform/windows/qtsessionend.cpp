#include "platform/windows/qtsessionend.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QWidget>

namespace orvane {

void QtSessionEnd::closeOnSessionEnd(QGuiApplication &app, QWidget &window)
{
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager &manager) {
        if (!window.close() && manager.allowsInteraction()) {
            manager.cancel();
        }
    });
}

std::unique_ptr<SessionEndWatcher> CreateSessionEndWatcher()
{
    return std::make_unique<QtSessionEnd>();
}

} // namespace orvane
