// orvane-report: the drive list and the two drive reports of the window, on the command
// line, from the real disks or from recordings.
#include "platform/replay/replaydrivecontrol.h"
#include "platform/standardstreams.h"
#include "platform/systemdrives.h"
#include "tools/drivereport.h"
#include "tools/prometheusoutput.h"
#include "tools/reportoptions.h"
#include "tools/reportoutput.h"

#include <algorithm>
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

// Says on standard error why each drive that exists could not be read, so that a user is
// not left with an empty list; gives their count.
std::size_t explainUnreadableDrives(const std::vector<DriveReport> &reports, bool real)
{
    const auto openProblem = [real](unsigned drive) { return real ? SystemDriveOpenProblem(drive) : std::string(); };
    const std::vector<std::string> problems =
        UnreadableDrives(reports, openProblem, real ? SystemDriveCommandHint() : std::string());
    for (const std::string &problem : problems) {
        std::cerr << "orvane-report: " << problem << "\n";
    }
    return problems.size();
}

// A full disk or a closed pipe must not pass for a complete report: a script that writes
// the output to a file moves it into place only when this bit is clear.
int checkWritten()
{
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "orvane-report: the output could not be written\n";
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
            std::cerr << "orvane-report: drive " << int(*options.record) << " cannot be opened"
                      << (problem.empty() ? ": no such drive" : ": " + problem) << "\n";
            return kExitDriveUnreadable;
        }
        const DriveRecording recording = RecordDrive(transport, *options.record);
        const std::time_t now = std::time(nullptr);
        char date[32];
        std::strftime(date, sizeof date, "%Y-%m-%d", std::localtime(&now));
        std::cout << formatRecording(recording,
                                     "drive " + std::to_string(*options.record)
                                         + ", recorded by "
                                           "orvane-report on "
                                         + date);
        if (!recording.identify && real) {
            std::cerr << "orvane-report: drive " << int(*options.record) << " answered no IDENTIFY"
                      << SystemDriveCommandHint() << "\n";
        }
        return checkWritten();
    }

    const std::vector<DriveReport> reports = ReportDrives(transport);
    const std::size_t unreadable = explainUnreadableDrives(reports, real);
    if (options.prometheus) {
        std::cout << FormatPrometheus(reports, unreadable);
    } else {
        std::cout << (options.json ? FormatJson(reports) : FormatTables(reports));
    }
    return DriveExitStatus(reports, unreadable) | checkWritten();
}

} // namespace

int main(int argc, char **argv)
{
    UseBinaryStandardStreams();
    try {
        const ReportOptions options = ParseReportOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::cout << kReportUsage;
            return checkWritten();
        }
        return run(options);
    } catch (const std::invalid_argument &e) {
        std::cerr << "orvane-report: " << e.what() << "\n\n" << kReportUsage;
        return kExitError;
    } catch (const std::exception &e) {
        std::cerr << "orvane-report: " << e.what() << "\n";
        return kExitError;
    }
}
