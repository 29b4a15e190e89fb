// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace orvane {

// Starting the program with the user's session: the entry that EnableAutoRun writes and
// DisableAutoRun removes. Each platform keeps it its own way (an XDG autostart file on
// Linux); the window only says what to run.
class AutostartEntry
{
public:
    virtual ~AutostartEntry() = default;

    // Makes the session start `executablePath`, replacing an older entry in one step (a
    // half-written entry never stands). False when the entry could not be written.
    virtual bool write(const std::string &executablePath) = 0;

    // Removes the entry; an entry that is not there is no error.
    virtual void remove() = 0;
};

} // namespace orvane
