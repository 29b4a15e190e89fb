// The Windows back-ends. Only the disk driver's requests have one yet; the Windows
// back-ends issue adds the clock and locale, the event log and its registry key, the
// SendMail_Lib loader, the multimedia command interpreter, the power functions, the Run
// value and the end of the session here, one line each. Until then those members stay null.
#include "platform/systemservices.h"

#include "platform/systemdrives.h"
#include "text/cp1252.h"

namespace orvane {

SystemServices createSystemServices()
{
    SystemServices services;
    services.drives = CreateSystemDriveControl();
    // The system's text (UTF-8) as the program's own (Windows-1252).
    services.driveOpenProblem = [](unsigned drive) { return utf8ToCp1252(SystemDriveOpenProblem(drive)); };
    return services;
}

} // namespace orvane
