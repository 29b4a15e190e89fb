// SPDX-License-Identifier: MIT
#include "monitor/temperaturewatch.h"

#include "drive/attributes.h"
#include "monitor/activitylog.h"
#include "monitor/alertmail.h"
#include "monitor/messages.h"
#include "monitor/power.h"
#include "monitor/sound.h"
#include "settings/config.h"

#include <charconv>

namespace orvane {

TemperatureWatch::TemperatureWatch(WatchServices services, WatchWindow &window, WatchTimer &checkTemp,
                                   WatchTimer &hibernate, WatchState state)
    : m_services(services)
    , m_window(window)
    , m_checkTemp(checkTemp)
    , m_hibernate(hibernate)
    , m_state(state)
{
}

TemperatureWatch::~TemperatureWatch()
{
    *m_alive = false;
}

std::optional<std::uint8_t> TemperatureWatch::driveNumber(const std::string &caption)
{
    unsigned number = 0;
    const char *end = caption.data() + caption.size();
    const auto [stop, error] = std::from_chars(caption.data(), end, number);
    if (error != std::errc() || stop != end || number > 255) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(number);
}

void TemperatureWatch::CheckTemperatures()
{
    m_checkTemp.switchOff();
    if (m_checking) {
        return; // a question of the running cycle is open
    }
    m_checking = true;
    const int rows = m_window.rowCount();
    for (int row = 0; row < rows; ++row) {
        if (!m_window.rowTicked(row)) {
            continue; // never read: the drive is not even opened
        }
        const std::optional<std::uint8_t> drive = driveNumber(m_window.rowCaption(row));
        if (!drive) {
            continue;
        }
        // Signed: a drive without a temperature (-9999) never alerts.
        const std::int32_t temperature = ReadTemperature(m_services.drives, *drive).Raw;
        if (temperature <= static_cast<std::int32_t>(m_state.critTemp)) {
            continue;
        }
        alertThroughChannels(temperature);
        if (m_state.config.PopupNotification && !askToHibernate(temperature)) {
            return; // the window closed under the question; the program is ending
        }
    }
    m_checking = false;
    m_checkTemp.switchOn();
}

void TemperatureWatch::alertThroughChannels(std::int32_t temperature)
{
    ActivityLog &log = m_services.log;
    const TConfig &config = m_state.config;
    if (config.EmailNotification && !IsBlankText(config.EmailAddr)) {
        log.LogEvent(msg::sendEmailTo(config.EmailAddr));
        // The address goes out as stored; the body carries no unit.
        const MailOutcome mail = SendAlertMail(m_services.mail, config.EmailAddr,
                                               std::string(kCurrentTemperatureIs) + std::to_string(temperature));
        if (!mail.sent) {
            log.LogEvent(msg::channelFailed(msg::kEmailFailed, mail.resultText));
        }
    }
    if (config.PlaySound) {
        const SoundOutcome sound = PlayAlertSound(m_services.sound, config.SoundPath);
        if (!sound.played) {
            log.LogEvent(msg::channelFailed(msg::kSoundFailed, sound.reason));
        }
    }
}

bool TemperatureWatch::askToHibernate(std::int32_t temperature)
{
    m_services.log.LogEvent(msg::temperatureOverMaximum(temperature, m_state.critTemp));
    m_state.hibernateCountdown = kHibernateSeconds;
    m_checkTemp.switchOff();
    if (m_state.config.Hibernation) {
        m_hibernate.switchOn();
    }
    m_window.setForegroundWindow(ForegroundWindow::Main);
    m_window.setForegroundWindow(ForegroundWindow::Application);

    const std::shared_ptr<bool> alive = m_alive;
    const HibernateAnswer answer = m_window.askToHibernate();
    if (!*alive) {
        return false; // the watch went with the window
    }
    if (answer == HibernateAnswer::WindowClosed) {
        m_checking = false;
        return false;
    }
    if (answer == HibernateAnswer::Ok) {
        // The user agreed to hibernate: no second hibernation from the countdown after the
        // computer wakes up again.
        m_services.log.LogEvent(msg::kHibernateTheSystem);
        m_hibernate.switchOff();
        m_window.setCaption(std::string(msg::kOrvaneCaption));
        requestHibernation();
    } else {
        userCancelled(temperature);
    }
    return true;
}

void TemperatureWatch::userCancelled(std::int32_t temperature)
{
    // The drive's temperature becomes the alert temperature; later rows of this cycle are
    // compared with it. It is above the old one, so it fits the byte.
    m_state.critTemp = static_cast<std::uint8_t>(temperature);
    m_checkTemp.switchOn();
    m_hibernate.switchOff();
    m_window.setCaption(std::string(msg::kOrvaneCaption));
    m_services.log.LogEvent(msg::kUserCancelledHibernate);
    m_services.log.LogEvent(msg::changedAlertTemperature(m_state.critTemp));
    m_state.config.Temp = std::to_string(m_state.critTemp);
    m_window.setAlertTemperatureText(m_state.config.Temp);
}

void TemperatureWatch::Hibernate_TimerTimer()
{
    --m_state.hibernateCountdown;
    m_window.setCaption(msg::hibernateOn(m_state.hibernateCountdown));
    if (m_state.hibernateCountdown != 0) {
        return;
    }
    // The page gets the stamped line, the event log the bare text.
    m_services.log.appendToPage(msg::kOrvaneWasHibernated);
    m_services.eventLog.WriteEvent(std::string(msg::kOrvaneWasHibernated));
    m_hibernate.switchOff();
    requestHibernation(); // the caption keeps its 0
}

void TemperatureWatch::requestHibernation()
{
    const PowerOutcome outcome = HibernateComputer(m_services.power);
    if (!outcome.accepted) {
        m_services.log.LogEvent(msg::channelFailed(msg::kHibernateFailed, outcome.reason));
    }
}

void TemperatureWatch::Stop()
{
    m_checkTemp.switchOff();
    m_hibernate.switchOff();
}

} // namespace orvane
