// SPDX-License-Identifier: MIT
#include "drive/detailsrefresh.h"

#include "drive/attributes.h"
#include "drive/identity.h"
#include "drive/nvmehealth.h"
#include "drive/nvmeidentity.h"

#include <charconv>
#include <optional>

namespace orvane {

namespace {

std::optional<std::uint8_t> driveNumberOf(std::string_view text)
{
    unsigned value = 0;
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value > 255) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

// The reports of a drive that answers as NVMe; false (nothing listed) when it does not.
bool showNvmeDetails(DriveTransport &transport, const DriveHandle &handle, std::uint8_t drive, ReportList &diskInfo,
                     ReportList &smartInfo)
{
    const NvmeAnswers nvme = askAsNvme(transport, handle);
    if (!nvme.answered()) {
        return false;
    }
    std::uint16_t warningKelvin = 0;
    if (nvme.identify) {
        listNvmeIdentityRows(diskInfo, *nvme.identify, drive, nvme.health.has_value());
        warningKelvin = nvmeWord(*nvme.identify, kNvmeWarningTempOffset);
    }
    if (nvme.health) {
        listNvmeHealthRows(smartInfo, *nvme.health, warningKelvin);
    }
    return true;
}

} // namespace

void ShowDriveDetails(DriveTransport &transport, std::string_view driveText, ReportList &diskInfo,
                      ReportList &smartInfo)
{
    DriveHandle handle = transport.OpenPhysicalDrive(driveText);
    if (!handle.valid()) {
        return;
    }
    diskInfo.clear();
    smartInfo.clear();

    GETVERSIONINPARAMS version{};
    const bool versionOk = transport.GetSmartVersion(handle, version);
    bool smartSupported = false;

    const std::optional<std::uint8_t> drive = driveNumberOf(driveText);
    if (!drive) {
        return;
    }
    if (!versionOk && showNvmeDetails(transport, handle, *drive, diskInfo, smartInfo)) {
        return;
    }
    const std::uint8_t identifyCommand = DriveTransport::IdentifyCommandFor(version.bIDEDeviceMap, *drive);

    SENDCMDINPARAMS command{};
    if (transport.EnableSmart(handle, command, *drive)) {
        smartSupported = true;
    }

    ReplyBuffers &buffers = transport.buffers();
    if (transport.IdentifyDrive(handle, command, *drive, identifyCommand)) {
        ListIdentityRows(diskInfo, sectorOf(buffers.IdentifyBuffer), command, identifyCommand, *drive, smartSupported);
    }

    buffers.AttributeBuffer.fill(0);
    buffers.ThresholdBuffer.fill(0);
    if (transport.ReadSmartAttributes(handle, command, *drive)) {
        (void)transport.ReadSmartThresholds(handle, command, *drive);
        ListAttributeRows(smartInfo, sectorOf(buffers.AttributeBuffer), sectorOf(buffers.ThresholdBuffer));
    }
}

} // namespace orvane
