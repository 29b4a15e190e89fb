// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace orvane {

// The multimedia command interface: a command string in, a success flag out.
class MultimediaApi
{
public:
    virtual ~MultimediaApi() = default;

    // True when a file (not a folder) exists at `path` (Windows-1252; relative paths are
    // taken from the current directory).
    [[nodiscard]] virtual bool fileExists(const std::string &path) = 0;

    // Runs one command such as "Play C:\alert.wav". Returns once the sound has started;
    // false when the command is unknown or fails.
    virtual bool mciExecute(const std::string &command) = 0;

    // Why the last command failed, as the interpreter words it (Windows-1252).
    [[nodiscard]] virtual std::string lastErrorText() const { return "the sound command failed"; }
};

// What became of an alert sound: started, or why not.
struct SoundOutcome
{
    bool played = false;
    std::string reason;
};

// Plays the WAV file at `path` when it exists; otherwise no command is sent. The outcome
// says whether the sound started and, when not, why.
SoundOutcome PlayAlertSound(MultimediaApi &multimedia, const std::string &path);

} // namespace orvane
