#pragma once

#include <ctime>
#include <optional>
#include <string>

namespace orvane {

// The questions the window puts to the user. The window never opens a message box or a
// file dialog itself but asks through this, so that tests can answer. Texts and paths are
// Windows-1252, as everywhere inside the program.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A plain message box with an OK button; returns once the user has closed it.
    virtual void showMessage(const std::string &text) = 0;

    // The sound-file dialog: an existing "*.wav" file with its full path, or nothing when
    // the user cancels.
    virtual std::optional<std::string> chooseSoundFile() = 0;

    // The log-save dialog: a file to write, existing or new, or nothing when cancelled.
    virtual std::optional<std::string> chooseLogFile() = 0;
};

// The wall clock, so that tests can stop time.
class Clock
{
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual std::time_t now() const = 0;
};

class SystemClock : public Clock
{
public:
    [[nodiscard]] std::time_t now() const override { return std::time(nullptr); }
};

} // namespace orvane
