// SPDX-License-Identifier: MIT
#pragma once

#include "monitor/alertmail.h"

#include <filesystem>
#include <optional>
#include <string>

namespace orvane {

// The questions the window puts to the user. The window never opens a message box or a
// file dialog itself but asks through this, so that tests can answer. Texts are
// Windows-1252, as everywhere inside the program.
class Dialogs : public MessageBoxApi
{
public:
    // showMessage (from MessageBoxApi): a plain message box with an OK button; returns once
    // the user has closed it.

    // The sound-file dialog: an existing "*.wav" file with its full path, or nothing when
    // the user cancels.
    virtual std::optional<std::string> chooseSoundFile() = 0;

    // The log-save dialog: a file to write, existing or new, or nothing when cancelled.
    virtual std::optional<std::filesystem::path> chooseLogFile() = 0;
};

} // namespace orvane
