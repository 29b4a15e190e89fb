// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace orvane {

// The user's answer to the hibernation question.
enum class HibernateAnswer {
    Ok, // the OK button
    Cancel, // the Cancel button, Escape, or the box's own close button
    WindowClosed, // the window closed under the open box: the program is ending
};

// Which window a foreground request is for.
enum class ForegroundWindow {
    Main, // the program's window
    Application, // what stands for the whole program on the taskbar
};

// A window timer as the temperature watch drives it. Ticks arrive on the GUI thread.
class WatchTimer
{
public:
    virtual ~WatchTimer() = default;

    // A timer that is off starts a full interval; one that is on is left as it is.
    virtual void switchOn() = 0;
    virtual void switchOff() = 0;
    [[nodiscard]] virtual bool isOn() const = 0;
};

// What the temperature watch needs of the window: the drive list, the caption, the
// alert-temperature field, the foreground and the question box. Texts are Windows-1252.
class WatchWindow
{
public:
    virtual ~WatchWindow() = default;

    // The drive list's rows: how many, whether a row's box is ticked, its caption (the drive
    // number in decimal). Rows past the end read as unticked and empty.
    [[nodiscard]] virtual int rowCount() const = 0;
    [[nodiscard]] virtual bool rowTicked(int row) const = 0;
    [[nodiscard]] virtual std::string rowCaption(int row) const = 0;

    virtual void setCaption(const std::string &caption) = 0;

    // The text of the alert-temperature field (its change handler runs as for typing).
    virtual void setAlertTemperatureText(const std::string &text) = 0;

    virtual void setForegroundWindow(ForegroundWindow window) = 0;

    // The modal box "Would you like to HIBERNATE ?", caption "Warning", OK and Cancel, no
    // icon, owned by the window. Returns once it is answered; meanwhile the event loop
    // runs, so timers tick (the countdown among them). WindowClosed means the window closed
    // while the box was open and may be gone: the caller must not touch it again.
    [[nodiscard]] virtual HibernateAnswer askToHibernate() = 0;
};

} // namespace orvane
