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
};

// Plays the WAV file at `path` when it exists; otherwise no command is sent. Silent on
// failure.
void PlayAlertSound(MultimediaApi &multimedia, const std::string &path);

} // namespace orvane
