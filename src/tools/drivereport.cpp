#include "tools/drivereport.h"

#include "drive/detailsrefresh.h"
#include "drive/reporttable.h"

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
