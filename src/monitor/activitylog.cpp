// SPDX-License-Identifier: MIT
#include "monitor/activitylog.h"

#include "text/cp1252.h"
#include "text/pathtext.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <system_error>

namespace orvane {

namespace {

std::string twoDigits(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

std::string fourDigits(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d", value);
    return text;
}

// The full path and the system's reason, as the program's own text.
std::string fileError(const char *what, const std::filesystem::path &file, int error)
{
    return std::string(what) + " \"" + messagePath(file) + "\". "
        + utf8ToCp1252(std::generic_category().message(error));
}

} // namespace

std::string logStamp(const std::tm &time, LogClock &clock)
{
    std::string stamp =
        twoDigits(time.tm_mon + 1) + "/" + twoDigits(time.tm_mday) + "/" + fourDigits(time.tm_year + 1900);
    if (time.tm_hour == 0 && time.tm_min == 0 && time.tm_sec == 0) {
        return stamp;
    }
    return stamp + " " + clock.formatLongTime(time);
}

ActivityLog::ActivityLog(LogClock &clock, LogPage &page, TfisNTEventLog &eventLog)
    : m_clock(clock)
    , m_page(page)
    , m_eventLog(eventLog)
{
}

std::string ActivityLog::stampedLine(std::string_view message)
{
    return logStamp(m_clock.localNow(), m_clock) + std::string(kStampSeparator) + std::string(message);
}

void ActivityLog::LogEvent(std::string_view message)
{
    const std::string line = stampedLine(message);
    m_page.appendLine(line);
    m_eventLog.WriteEvent(line);
}

void ActivityLog::appendToPage(std::string_view message)
{
    m_page.appendLine(stampedLine(message));
}

void ActivityLog::Clear()
{
    m_page.clear();
}

void ActivityLog::Save(const std::filesystem::path &file) const
{
    // Opening for output creates a new file as readily as it replaces an old one. The
    // stream leaves the system's reason in errno on both platforms we build for.
    // Only a file is written: a pipe would hold the window until someone reads it, and a
    // device is no log file. A folder fails at the open below with the system's reason.
    std::error_code unknown;
    const std::filesystem::file_status status = std::filesystem::status(file, unknown);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)
        && !std::filesystem::is_directory(status)) {
        throw LogSaveError("Cannot create file \"" + messagePath(file) + "\". Not a regular file");
    }
    errno = 0;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw LogSaveError(fileError("Cannot create file", file, errno));
    }
    for (const std::string &line : m_page.lines()) {
        out << line << "\r\n";
    }
    out.close();
    if (!out) {
        throw LogSaveError(fileError("Cannot write file", file, errno));
    }
}

} // namespace orvane
