// orvane-report: the drive list and the two drive reports of the window, on the command
// line, from the real disks or from recordings.
#include "platform/replay/replaydrivecontrol.h"
#include "platform/systemdrives.h"
#include "text/printable.h"
#include "tools/drivereport.h"
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

// Exit statuses (README.md lists them): 0 done; 1 nothing could be done: a recording or a
// drive could not be read, no drive at all answered while some could not be read, or the
// output could not be written; 2 a wrong command line.
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

void complain(const std::string &message)
{
    std::cerr << "orvane-report: " << printableText(message) << "\n";
}

// Writes the whole text to standard output and makes sure it arrived: a full disk, a closed
// pipe or /dev/full is an error, not an empty file with a success status.
bool writeOutput(const std::string &text)
{
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
        complain(std::string("cannot write the output: ") + std::strerror(errno != 0 ? errno : EIO));
        return false;
    }
    return true;
}

// Tells why a real disk gave nothing, so that a user is not left with an empty list.
// Yields whether any drive failed so.
bool explainMissingDrives(const std::vector<DriveReport> &reports)
{
    bool failed = false;
    for (unsigned drive = 0; drive < kProbedDrives; ++drive) {
        const auto found =
            std::find_if(reports.begin(), reports.end(), [&](const DriveReport &r) { return r.drive.number == drive; });
        const std::string problem = found == reports.end() ? SystemDriveOpenProblem(drive) : std::string();
        if (!problem.empty()) {
            complain("drive " + std::to_string(drive) + " cannot be opened: " + problem);
            failed = true;
        } else if (found != reports.end() && found->diskInfo.empty() && found->smartInfo.empty()) {
            complain("drive " + std::to_string(drive) + " answered no ATA command" + SystemDriveCommandHint());
            failed = true;
        }
    }
    return failed;
}

bool anyDriveRead(const std::vector<DriveReport> &reports)
{
    return std::any_of(reports.begin(), reports.end(),
                       [](const DriveReport &r) { return !r.diskInfo.empty() || !r.smartInfo.empty(); });
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
            return kExitFailed;
        }
        const DriveRecording recording = RecordDrive(transport, *options.record);
        const std::time_t now = std::time(nullptr);
        char date[32];
        std::strftime(date, sizeof date, "%Y-%m-%d", std::localtime(&now));
        if (!writeOutput(formatRecording(
                recording, "drive " + std::to_string(*options.record) + ", recorded by orvane-report on " + date))) {
            return kExitFailed;
        }
        if (!recording.identify && real) {
            complain("drive " + std::to_string(*options.record) + " answered no IDENTIFY" + SystemDriveCommandHint());
        }
        return 0;
    }

    const std::vector<DriveReport> reports = ReportDrives(transport);
    if (!writeOutput(options.json ? FormatJson(reports) : FormatTables(reports))) {
        return kExitFailed;
    }
    // Without the privilege to read disks the list is empty: that is a failure, not a
    // machine without disks.
    if (real && explainMissingDrives(reports) && !anyDriveRead(reports)) {
        return kExitFailed;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    try {
#ifdef SIGPIPE
        // A closed pipe is reported like any other failed write, not a silent death.
        std::signal(SIGPIPE, SIG_IGN);
#endif
        const ReportOptions options = ParseReportOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            return writeOutput(kReportUsage) ? 0 : kExitFailed;
        }
        return run(options);
    } catch (const std::invalid_argument &e) {
        complain(e.what());
        std::cerr << "\n" << kReportUsage;
        return kExitUsage;
    } catch (const std::exception &e) {
        complain(e.what());
        return kExitFailed;
    }
}
