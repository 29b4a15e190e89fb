// SPDX-License-Identifier: MIT
// The Windows back-ends: the disk driver's S.M.A.R.T. requests, the local clock and the
// user's time format, the Application event log with its source under HKEY_LOCAL_MACHINE,
// SendMail_Lib.dll from the program's folder, mciExecute, the token privilege and
// ExitWindowsEx / SetSuspendState, the Run value, ShellExecuteA for links, and Windows' end
// of session through Qt.
#include "platform/systemservices.h"

#include "platform/systemdrives.h"
#include "platform/windows/mcisound.h"
#include "platform/windows/qtsessionend.h"
#include "platform/windows/runvalue.h"
#include "platform/windows/sendmaildll.h"
#include "platform/windows/shellopen.h"
#include "platform/windows/windowseventlog.h"
#include "platform/windows/windowslogclock.h"
#include "platform/windows/windowspower.h"
#include "text/cp1252.h"

namespace orvane {

SystemServices createSystemServices()
{
    SystemServices services;
    services.drives = CreateSystemDriveControl();
    services.clock = std::make_unique<WindowsLogClock>();
    services.eventLog = std::make_unique<WindowsEventLog>();
    services.eventSources = std::make_unique<WindowsEventSourceRegistry>();
    services.mail = std::make_unique<SendMailDll>();
    services.sound = std::make_unique<MciCommandInterpreter>();
    services.power = std::make_unique<WindowsPower>();
    services.autostart = std::make_unique<WindowsRunValue>();
    services.sessionEnd = CreateSessionEndWatcher();
    services.opener = std::make_unique<ShellOpener>();
    // The system's text (UTF-8) as the program's own (Windows-1252).
    services.driveOpenProblem = [](unsigned drive) { return utf8ToCp1252(SystemDriveOpenProblem(drive)); };
    return services;
}

} // namespace orvane
