// SPDX-License-Identifier: MIT
#pragma once

#include "drive/drivecontrol.h"
#include "monitor/alertmail.h"
#include "monitor/eventlogapi.h"
#include "monitor/logclock.h"
#include "monitor/power.h"
#include "monitor/sound.h"
#include "ui/app/sessionend.h"
#include "ui/autorun.h"
#include "ui/desktopopener.h"

#include <functional>
#include <memory>
#include <string>

namespace orvane {

class DesktopNotifier; // balloons as the desktop's notifications; it needs Qt

// Everything the program asks of the operating system, each behind its interface. One
// factory per platform folder (src/platform/<os>/systemservices.cpp) builds them, so that a
// back-end is chosen in one place. A program may replace a member before it uses them: the
// demo puts in its recorded drives and a power back-end that only says what it would do.
struct SystemServices
{
    std::unique_ptr<DriveControl> drives; // the disk driver's S.M.A.R.T. requests
    std::unique_ptr<LogClock> clock; // the local time and its long time format
    std::unique_ptr<EventLogApi> eventLog; // the system event log
    std::unique_ptr<EventSourceRegistry> eventSources; // where the event log's sources are registered
    std::unique_ptr<MailLibrary> mail; // the mail library of the alert mails
    std::unique_ptr<MultimediaApi> sound; // the alert sound
    std::unique_ptr<PowerApi> power; // shutdown and hibernation
    std::unique_ptr<AutostartEntry> autostart; // starting with the user's session
    std::unique_ptr<SessionEndWatcher> sessionEnd; // ending the program when the session ends
    std::unique_ptr<DesktopOpener> opener; // web pages and the support mail
    // The desktop's notification service for the tray's balloons; null where the tray's own
    // balloons serve. Shared, so that platforms without it need not know its type.
    std::shared_ptr<DesktopNotifier> notifier;
    // Why drive N is there but cannot be opened (no privilege), as the program's text, or
    // empty text. None (as for recorded drives): nothing to tell.
    std::function<std::string(unsigned)> driveOpenProblem;
};

// This platform's back-ends. A member that the platform has no back-end for yet is null;
// the platform's file says which.
[[nodiscard]] SystemServices createSystemServices();

} // namespace orvane
