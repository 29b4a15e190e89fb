// SPDX-License-Identifier: MIT
#include "drive/identity.h"

#include "drive/nvmeidentity.h"

#include <algorithm>
#include <array>
#include <utility>

namespace orvane {

namespace {

// Identify words 1, 3 and 6: logical cylinders, heads and sectors per track.
std::uint16_t identifyWord(Sector identify, std::size_t word)
{
    return static_cast<std::uint16_t>(identify[2 * word] | (identify[2 * word + 1] << 8));
}

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

} // namespace

void SwapWordBytes(std::uint8_t *bytes, std::size_t length)
{
    for (std::size_t i = 0; i + 1 < length; i += 2) {
        std::swap(bytes[i], bytes[i + 1]);
    }
}

std::string IdentityText(Sector identify, std::size_t offset, std::size_t length)
{
    // The exchange works on a copy, so the shared sector stays as the drive sent it and
    // decoding it twice gives the same text.
    std::array<std::uint8_t, kSectorSize> field{};
    length = std::min(length, kSectorSize - std::min(offset, kSectorSize));
    std::copy_n(identify.begin() + static_cast<std::ptrdiff_t>(offset), length, field.begin());
    SwapWordBytes(field.data(), length);
    const auto end = std::find(field.begin(), field.begin() + static_cast<std::ptrdiff_t>(length), 0);
    return std::string(field.begin(), end);
}

void AddDiskInfoRow(ReportList &diskInfo, const std::string &name, const std::string &value)
{
    if (std::all_of(name.begin(), name.end(), isBlankOrControl)) {
        return;
    }
    diskInfo.addRow({name, value});
}

void ListRegisterRows(ReportList &diskInfo, const SENDCMDINPARAMS &command)
{
    const IDEREGS &r = command.irDriveRegs;
    AddDiskInfoRow(diskInfo, "Sector Count", std::to_string(r.bSectorCountReg));
    AddDiskInfoRow(diskInfo, "Sector Number", std::to_string(r.bSectorNumberReg));
    AddDiskInfoRow(diskInfo, "Low order cylinder", std::to_string(r.bCylLowReg));
    AddDiskInfoRow(diskInfo, "High order cylinder", std::to_string(r.bCylHighReg));
    AddDiskInfoRow(diskInfo, "Drive/Head", std::to_string(r.bDriveHeadReg));
    AddDiskInfoRow(diskInfo, "Actual IDE command", std::to_string(r.bCommandReg));
}

void ListIdentityRows(ReportList &diskInfo, Sector identify, const SENDCMDINPARAMS &command,
                      std::uint8_t identifyCommand, std::uint8_t drive, bool smartSupported)
{
    if (identifyCommand == kAtaIdentifyPacketDevice) {
        AddDiskInfoRow(diskInfo, "ATAPI device", std::to_string(drive));
    } else {
        AddDiskInfoRow(diskInfo, "IDE HDD " + std::to_string(drive), smartSupported ? "S.M.A.R.T supported" : "");
        AddDiskInfoRow(diskInfo, "Cylinders", std::to_string(identifyWord(identify, 1)));
        AddDiskInfoRow(diskInfo, "Heads", std::to_string(identifyWord(identify, 3)));
        AddDiskInfoRow(diskInfo, "Sectors per Track", std::to_string(identifyWord(identify, 6)));
        ListRegisterRows(diskInfo, command);
    }
    AddDiskInfoRow(diskInfo, "Model number", IdentityText(identify, kModelOffset, kModelLength));
    AddDiskInfoRow(diskInfo, "Firmware rev", IdentityText(identify, kFirmwareOffset, kFirmwareLength));
    AddDiskInfoRow(diskInfo, "Serial number", IdentityText(identify, kSerialOffset, kSerialLength));
}

std::string ReadDriveModel(DriveTransport &transport, std::uint8_t drive)
{
    const OpeningSequence opened = runOpeningSequence(transport, drive);
    if (opened.nvme.answered()) {
        return opened.nvme.identify ? nvmeModel(*opened.nvme.identify) : std::string();
    }
    if (!opened.identified) {
        return {};
    }
    return IdentityText(sectorOf(transport.buffers().IdentifyBuffer), kModelOffset, kModelLength);
}

} // namespace orvane
