// The Windows back-ends. Only the disk driver's requests have one yet; the Windows
// back-ends issue adds the clock and locale, the event log and its registry key, the
// SendMail_Lib loader, the multimedia command interpreter, the power functions, the Run
// value and the end of the session here, one line each. Until then those members stay null.
#include "platform/systemservices.h"

#include "platform/systemdrives.h"

namespace orvane {

SystemServices createSystemServices()
{
    SystemServices services;
    services.drives = CreateSystemDriveControl();
    return services;
}

} // namespace orvane
