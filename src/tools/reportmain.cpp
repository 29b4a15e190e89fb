// SPDX-License-Identifier: MIT
// orvane-report: the drive list and the two drive reports of the window, on the command
// line, from the real disks or from recordings.
#include "platform/replay/replaydrivecontrol.h"
#include "platform/standardstreams.h"
#include "platform/systemdrives.h"
#include "text/printable.h"
#include "tools/drivereport.h"
#include "tools/prometheusoutput.h"
#include "tools/reportoptions.h"
#include "tools/reportoutput.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <iostream>
#include <memory>

using namespace orvane;

namespace {

std::unique_ptr<DriveControl> replayDrives(const ReportOptions &options)
{
    auto replay = std::make_unique<ReplayDriveControl>();
    for (const auto &[number, file] : options.drives) {
        replay->addDrive(number, loadRecording(file));
    }
    return replay;
}

// Messages name what a drive or a recording holds: control bytes in them are shown escaped,
// so that a recording cannot clear or retitle the terminal.
void complain(const std::string &message)
{
    std::cerr << "orvane-report: " << printableText(message) << "\n";
}

// Says on standard error why each drive that exists could not be read, so that a user is
// not left with an empty list; gives their count.
std::size_t explainUnreadableDrives(const std::vector<DriveReport> &reports, bool real)
{
    const auto openProblem = [real](unsigned drive) { return real ? SystemDriveOpenProblem(drive) : std::string(); };
    const std::vector<std::string> problems =
        UnreadableDrives(reports, openProblem, real ? SystemDriveCommandHint() : std::string());
    for (const std::string &problem : problems) {
        complain(problem);
    }
    return problems.size();
}

// Writes the whole text to standard output and makes sure it arrived: a full disk, a closed
// pipe or /dev/full must not pass for a complete report (a script moves the output into
// place only when the error bit is clear). 0, or kExitError.
int writeOutput(const std::string &text)
{
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
        complain(std::string("the output could not be written: ") + std::strerror(errno != 0 ? errno : EIO));
        return kExitError;
    }
    return 0;
}

int run(const ReportOptions &options)
{
    const bool real = options.drives.empty();
    std::unique_ptr<DriveControl> control = real ? CreateSystemDriveControl() : replayDrives(options);
    DriveTransport transport(*control);

    if (options.record) {
        if (!transport.DriveExists(*options.record)) {
            const std::string problem = real ? SystemDriveOpenProblem(*options.record) : std::string();
            complain("drive " + std::to_string(*options.record) + " cannot be opened"
                     + (problem.empty() ? ": no such drive" : ": " + problem));
            return kExitDriveUnreadable;
        }
        const DriveRecording recording = RecordDrive(transport, *options.record);
        const std::time_t now = std::time(nullptr);
        char date[32];
        std::strftime(date, sizeof date, "%Y-%m-%d", std::localtime(&now));
        const int written = writeOutput(formatRecording(
            recording, "drive " + std::to_string(*options.record) + ", recorded by orvane-report on " + date));
        if (!recording.identify && !recording.nvmeIdentify && real) {
            complain("drive " + std::to_string(*options.record) + " answered no IDENTIFY" + SystemDriveCommandHint());
        }
        return written;
    }

    const std::vector<DriveReport> reports = ReportDrives(transport);
    const std::size_t unreadable = explainUnreadableDrives(reports, real);
    const std::string text = options.prometheus ? FormatPrometheus(reports, unreadable)
                                                : (options.json ? FormatJson(reports) : FormatTables(reports));
    return DriveExitStatus(reports, unreadable) | writeOutput(text);
}

} // namespace

int main(int argc, char **argv)
{
    UseBinaryStandardStreams();
    try {
#ifdef SIGPIPE
        // A closed pipe is reported like any other failed write, not a silent death.
        std::signal(SIGPIPE, SIG_IGN);
#endif
        const ReportOptions options = ParseReportOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            return writeOutput(kReportUsage);
        }
        return run(options);
    } catch (const std::invalid_argument &e) {
        complain(e.what());
        std::cerr << "\n" << kReportUsage;
        return kExitError;
    } catch (const std::exception &e) {
        complain(e.what());
        return kExitError;
    }
}
