// SPDX-License-Identifier: MIT
// The Windows build without Qt (the cross-build: orvane-report and the tests) has no window
// whose end of session it would watch.
#include "platform/windows/qtsessionend.h"

namespace orvane {

std::unique_ptr<SessionEndWatcher> CreateSessionEndWatcher()
{
    return nullptr;
}

} // namespace orvane
