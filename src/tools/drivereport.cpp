// SPDX-License-Identifier: MIT
#include "tools/drivereport.h"

#include "drive/detailsrefresh.h"
#include "drive/reporttable.h"
#include "tools/reportoptions.h"

#include <algorithm>

namespace orvane {

std::vector<DriveReport> ReportDrives(DriveTransport &transport)
{
    std::vector<DriveReport> reports;
    for (ProbedDrive &probed : probeDrives(transport)) {
        DriveReport report;
        report.row = driveRowTexts(probed.number, probed.model, probed.reading);
        report.drive = std::move(probed);
        reports.push_back(std::move(report));
    }
    for (DriveReport &report : reports) {
        ReportTable diskInfo, smartInfo;
        ShowDriveDetails(transport, report.row.front(), diskInfo, smartInfo);
        report.diskInfo = std::move(diskInfo.rows);
        report.smartInfo = std::move(smartInfo.rows);
    }
    return reports;
}

std::vector<std::string> UnreadableDrives(const std::vector<DriveReport> &reports,
                                          const std::function<std::string(unsigned)> &openProblem,
                                          const std::string &commandHint)
{
    std::vector<std::string> problems;
    for (unsigned drive = 0; drive < kProbedDrives; ++drive) {
        const auto found =
            std::find_if(reports.begin(), reports.end(), [&](const DriveReport &r) { return r.drive.number == drive; });
        if (found == reports.end()) {
            const std::string problem = openProblem(drive);
            if (!problem.empty()) {
                problems.push_back("drive " + std::to_string(drive) + " cannot be opened: " + problem);
            }
        } else if (found->diskInfo.empty() && found->smartInfo.empty()) {
            problems.push_back("drive " + std::to_string(drive) + " answered no ATA or NVMe command" + commandHint);
        }
    }
    return problems;
}

int DriveExitStatus(const std::vector<DriveReport> &reports, std::size_t unreadable)
{
    int status = unreadable > 0 ? kExitDriveUnreadable : 0;
    for (const DriveReport &r : reports) {
        const bool bad = std::any_of(r.smartInfo.begin(), r.smartInfo.end(),
                                     [](const std::vector<std::string> &row) { return row.back() == "BAD"; });
        if (bad || r.row.back() == "BAD") {
            status |= kExitBadAttribute;
        }
    }
    return status;
}

DriveRecording RecordDrive(DriveTransport &transport, std::uint8_t drive)
{
    const auto sector = [](const ReplyBuffer &reply) {
        SectorBytes bytes{};
        const Sector data = sectorOf(reply);
        std::copy(data.begin(), data.end(), bytes.begin());
        return bytes;
    };
    DriveRecording recording;
    OpeningSequence opened = runOpeningSequence(transport, drive);
    if (opened.versionOk) {
        recording.deviceMap = opened.version.bIDEDeviceMap;
    }
    if (opened.nvme.answered()) {
        // An NVMe drive: the opening sequence ended with its two answers.
        recording.nvmeIdentify = opened.nvme.identify;
        recording.nvmeHealth = opened.nvme.health;
        return recording;
    }
    recording.enableOk = opened.smartEnabled;
    ReplyBuffers &buffers = transport.buffers();
    if (opened.identified) {
        recording.identify = sector(buffers.IdentifyBuffer);
    }
    if (transport.ReadSmartAttributes(opened.handle, opened.command, drive)) {
        recording.attributes = sector(buffers.AttributeBuffer);
    }
    if (transport.ReadSmartThresholds(opened.handle, opened.command, drive)) {
        recording.thresholds = sector(buffers.ThresholdBuffer);
    }
    return recording;
}

} // namespace orvane
