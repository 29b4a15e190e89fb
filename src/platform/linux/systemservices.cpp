// SPDX-License-Identifier: MIT
// The Linux back-ends: SG_IO for the disks, the C library's clock and locale, the system
// log, the mail library loaded at run time, libcanberra, systemd-logind, an XDG autostart
// entry, the session manager with SIGTERM, SIGINT and SIGHUP, xdg-open and the desktop's
// notifications.
#include "platform/systemservices.h"

#include "platform/linux/canberrasound.h"
#include "platform/linux/desktopnotifications.h"
#include "platform/linux/linuxlogclock.h"
#include "platform/linux/logindpower.h"
#include "platform/linux/sendmaillibrary.h"
#include "platform/linux/signalsessionend.h"
#include "platform/linux/syslogeventlog.h"
#include "platform/linux/xdgautostart.h"
#include "platform/linux/xdgopener.h"
#include "platform/systemdrives.h"
#include "text/cp1252.h"

namespace orvane {

SystemServices createSystemServices()
{
    SystemServices services;
    services.drives = CreateSystemDriveControl();
    // The system's text (UTF-8) as the program's own (Windows-1252).
    services.driveOpenProblem = [](unsigned drive) { return utf8ToCp1252(SystemDriveOpenProblem(drive)); };
    services.clock = std::make_unique<LinuxLogClock>();
    services.eventLog = std::make_unique<SyslogEventLog>();
    services.eventSources = std::make_unique<NoEventSourceRegistry>();
    services.mail = std::make_unique<SendMailLibrary>();
    services.sound = std::make_unique<CanberraCommandInterpreter>();
    services.power = std::make_unique<LogindPower>();
    services.autostart = std::make_unique<XdgAutostartEntry>();
    services.sessionEnd = std::make_unique<SignalSessionEnd>();
    services.opener = std::make_unique<XdgOpener>();
    services.notifier = std::make_shared<DesktopNotifications>();
    return services;
}

} // namespace orvane
