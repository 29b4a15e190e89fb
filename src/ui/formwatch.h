// SPDX-License-Identifier: MIT
#pragma once

#include "monitor/temperaturewatch.h"
#include "monitor/watchwindow.h"

#include <QPointer>

class QMessageBox;
class QTimer;

namespace orvane {

class TOrvane_Form;

// A window timer as the watch drives it: switching on a timer that runs already leaves its
// interval alone.
class FormTimer : public WatchTimer
{
public:
    explicit FormTimer(QTimer &timer)
        : m_timer(timer)
    {
    }
    void switchOn() override;
    void switchOff() override;
    [[nodiscard]] bool isOn() const override;

private:
    QTimer &m_timer;
};

// The temperature watch on the window: the drive list, the caption, the alert-temperature
// field and the real question box. Owned by the window.
class FormWatch : public WatchWindow
{
public:
    FormWatch(TOrvane_Form &form, const WatchServices &services);
    ~FormWatch() override;

    FormWatch(const FormWatch &) = delete;
    FormWatch &operator=(const FormWatch &) = delete;

    [[nodiscard]] TemperatureWatch &watch() { return m_watch; }

    // The window is closing for good: an open question is closed unanswered and both
    // timers stop.
    void windowClosing();

    [[nodiscard]] int rowCount() const override;
    [[nodiscard]] bool rowTicked(int row) const override;
    [[nodiscard]] std::string rowCaption(int row) const override;
    void setCaption(const std::string &caption) override;
    void setAlertTemperatureText(const std::string &text) override;
    void setForegroundWindow(ForegroundWindow window) override;
    [[nodiscard]] HibernateAnswer askToHibernate() override;

private:
    TOrvane_Form &m_form;
    FormTimer m_checkTemp;
    FormTimer m_hibernate;
    TemperatureWatch m_watch;
    QPointer<QMessageBox> m_question; // while it is open
    bool m_closing = false;
};

} // namespace orvane
