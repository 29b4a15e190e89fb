// orvane-report: the drive list and the two drive reports of the window, on the command
// line, from the real disks or from recordings.
#include "platform/replay/replaydrivecontrol.h"
#include "platform/systemdrives.h"
#include "tools/drivereport.h"
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

// Tells why a real disk gave nothing, so that a user is not left with an empty list.
void explainMissingDrives(const std::vector<DriveReport> &reports)
{
    for (unsigned drive = 0; drive < kProbedDrives; ++drive) {
        const auto found =
            std::find_if(reports.begin(), reports.end(), [&](const DriveReport &r) { return r.drive.number == drive; });
        const std::string problem = found == reports.end() ? SystemDriveOpenProblem(drive) : std::string();
        if (!problem.empty()) {
            std::cerr << "orvane-report: drive " << drive << " cannot be opened: " << problem << "\n";
        } else if (found != reports.end() && found->diskInfo.empty() && found->smartInfo.empty()) {
            std::cerr << "orvane-report: drive " << drive << " answered no ATA or NVMe command"
                      << SystemDriveCommandHint() << "\n";
        }
    }
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
            return 1;
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
        if (!recording.identify && !recording.nvmeIdentify && real) {
            std::cerr << "orvane-report: drive " << int(*options.record) << " answered no IDENTIFY"
                      << SystemDriveCommandHint() << "\n";
        }
        return 0;
    }

    const std::vector<DriveReport> reports = ReportDrives(transport);
    std::cout << (options.json ? FormatJson(reports) : FormatTables(reports));
    if (real) {
        explainMissingDrives(reports);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    try {
        const ReportOptions options = ParseReportOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::cout << kReportUsage;
            return 0;
        }
        return run(options);
    } catch (const std::invalid_argument &e) {
        std::cerr << "orvane-report: " << e.what() << "\n\n" << kReportUsage;
        return 2;
    } catch (const std::exception &e) {
        std::cerr << "orvane-report: " << e.what() << "\n";
        return 1;
    }
}
