// SPDX-License-Identifier: MIT
#pragma once

#include "core/orvaneerror.h"
#include "monitor/fisnteventlog.h"
#include "monitor/logclock.h"
#include "monitor/logpage.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace orvane {

// Raised when the log cannot be saved; the text is what the window shows.
class LogSaveError : public OrvaneError
{
public:
    using OrvaneError::OrvaneError;
};

// The separator between a line's stamp and its message.
inline constexpr std::string_view kStampSeparator = " * ";

// "mm/dd/yyyy", a blank and the time in the user's long time format; at exactly 00:00:00
// the date alone.
[[nodiscard]] std::string logStamp(const std::tm &time, LogClock &clock);

// The program's record of what happened. Each message is stamped with the local date and
// time and goes to the Log page and to the system event log; nothing reaches the disk
// unless the user saves the page.
class ActivityLog
{
public:
    ActivityLog(LogClock &clock, LogPage &page, TfisNTEventLog &eventLog);

    // Stamp + " * " + `message` as the page's new last line, then the same line to the
    // event log (dropped there while no source is registered). Never throws.
    void LogEvent(std::string_view message);

    // The stamped line on the page only, for the one writer that sends the event log a
    // different text.
    void appendToPage(std::string_view message);

    // Empties the page; the system event log keeps what it got.
    void Clear();

    // Writes every line of the page to `file`, each followed by CR LF, creating the file
    // when it does not exist and replacing it when it does. Throws LogSaveError with
    // `Cannot create file "<full path>". <system error>` when it cannot be created, and
    // `Cannot write file "<full path>". <system error>` when writing it fails.
    void Save(const std::filesystem::path &file) const;

private:
    [[nodiscard]] std::string stampedLine(std::string_view message);

    LogClock &m_clock;
    LogPage &m_page;
    TfisNTEventLog &m_eventLog;
};

} // namespace orvane
