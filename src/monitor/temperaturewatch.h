// SPDX-License-Identifier: MIT
#pragma once

#include "monitor/watchwindow.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace orvane {

class ActivityLog;
class DriveTransport;
class MailLibrary;
class MultimediaApi;
class PowerApi;
class TfisNTEventLog;
struct TConfig;

inline constexpr std::uint8_t kHibernateSeconds = 60;

// The outlets the watch reports to and alerts through. All of them outlive the watch.
struct WatchServices
{
    DriveTransport &drives;
    ActivityLog &log;
    TfisNTEventLog &eventLog; // the countdown's last line goes there without a stamp
    MailLibrary &mail;
    MultimediaApi &sound;
    PowerApi &power;
};

// The window's state the watch reads and writes; it stays the window's.
struct WatchState
{
    TConfig &config; // flags, address and sound path read; Temp written on Cancel
    std::uint8_t &critTemp; // the alert temperature, degrees Celsius
    std::uint8_t &hibernateCountdown; // seconds left before hibernation
};

// The temperature watch: every tick of its timer it reads each ticked drive's temperature
// and, for a drive hotter than the alert temperature, sends the alert mail, plays the
// alert sound and asks whether to hibernate, with a countdown in the caption that
// hibernates the computer when nobody answers. Everything runs on the GUI thread; while the
// question is open the countdown ticks, and the watch never runs a second cycle inside
// the first. Every failed mail, sound or hibernation is logged with its reason.
class TemperatureWatch
{
public:
    TemperatureWatch(WatchServices services, WatchWindow &window, WatchTimer &checkTemp, WatchTimer &hibernate,
                     WatchState state);
    ~TemperatureWatch();

    TemperatureWatch(const TemperatureWatch &) = delete;
    TemperatureWatch &operator=(const TemperatureWatch &) = delete;

    // One watch cycle (a tick of CheckTemp_Timer). The timer is off while it runs and on
    // again afterwards, unless the window closed under the question.
    void CheckTemperatures();

    // One second of the countdown (a tick of Hibernate_Timer): the caption counts down and
    // at 0 the computer is hibernated.
    void Hibernate_TimerTimer();

    // The window is closing for good: both timers stop, so nothing alerts or hibernates
    // while the program ends.
    void Stop();

private:
    void alertThroughChannels(std::int32_t temperature);
    // False when the window closed under the question.
    [[nodiscard]] bool askToHibernate(std::int32_t temperature);
    void userCancelled(std::int32_t temperature);
    void requestHibernation();
    [[nodiscard]] static std::optional<std::uint8_t> driveNumber(const std::string &caption);

    WatchServices m_services;
    WatchWindow &m_window;
    WatchTimer &m_checkTemp;
    WatchTimer &m_hibernate;
    WatchState m_state;
    bool m_checking = false;
    // Cleared when the watch is destroyed; a cycle that comes back from the question checks
    // it before it touches anything of the watch.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace orvane
