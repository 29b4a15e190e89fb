// SPDX-License-Identifier: MIT
#include "platform/linux/linuxdrivecontrol.h"

#include "platform/linux/atapassthrough.h"
#include "platform/linux/nvmeadmin.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <vector>

namespace orvane {

namespace {

// The system's word for a refusal the reader can get past (it holds the capabilities).
bool refusedForPrivilege(int error)
{
    return error == EACCES || error == EPERM;
}

// The bytes an ATA command brings back: its sector for a read, none otherwise.
std::span<std::uint8_t> ataData(const AtaCommand &command, std::span<std::uint8_t, kSectorSize> sector)
{
    return command.dataIn() ? std::span<std::uint8_t>(sector) : sector.first(0);
}

std::string describeReply(const ReaderReply &reply)
{
    switch (reply.status) {
    case ReaderStatus::Done:
        return {};
    case ReaderStatus::Refused:
        return "the drive reader refused the request";
    case ReaderStatus::NoSuchDisk:
        return "no such disk";
    case ReaderStatus::OpenFailed:
    case ReaderStatus::CommandFailed:
        return reply.error != 0 ? std::strerror(reply.error) : std::string("the drive failed the command");
    }
    return {};
}

} // namespace

LinuxDriveControl::LinuxDriveControl(std::string sysBlock, std::string devDir, std::unique_ptr<DriveReaderLink> reader)
    : m_sysBlock(std::move(sysBlock))
    , m_devDir(std::move(devDir))
    , m_reader(std::move(reader))
{
}

std::string LinuxDriveControl::devicePath(unsigned number) const
{
    const std::vector<BlockDevice> disks = wholeDisks(m_sysBlock);
    return number < disks.size() ? m_devDir + "/" + disks[number].name : std::string();
}

DeviceHandle LinuxDriveControl::createFile(const std::string &path)
{
    m_lastError.clear();
    const std::optional<unsigned> number = physicalDriveNumber(path);
    const std::vector<BlockDevice> disks = wholeDisks(m_sysBlock);
    if (!number || *number >= disks.size()) {
        m_lastError = "no such disk";
        return kInvalidHandle;
    }
    const std::string device = m_devDir + "/" + disks[*number].name;
    // Read-only and non-blocking as the S.M.A.R.T. tools do: SG_IO needs no write access
    // (but CAP_SYS_RAWIO), and a removable drive without a medium must still open.
    FileDescriptor fd(::open(device.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
        const int error = errno;
        const std::string refusal = device + ": " + std::strerror(error);
        if (refusedForPrivilege(error) && m_reader && *number < kReaderDrives) {
            return openThroughReader(*number, disks[*number], refusal);
        }
        m_lastError = refusal;
        return kInvalidHandle;
    }
    const DeviceHandle handle = fd.get();
    m_open.insert_or_assign(handle, OpenDisk{std::move(fd), *number, disks[*number].atapi, disks[*number].nvme});
    return handle;
}

void LinuxDriveControl::closeHandle(DeviceHandle handle)
{
    m_open.erase(handle);
}

std::optional<std::uint8_t> LinuxDriveControl::deviceMap(DeviceHandle handle)
{
    const auto open = m_open.find(handle);
    if (open == m_open.end()) {
        return std::nullopt;
    }
    // One bit for the opened drive: bit N for an ATA disk, bit 4 + N for a packet device.
    // An NVMe disk gives no version block, so it is asked as NVMe.
    const OpenDisk &disk = open->second;
    if (disk.nvme) {
        return std::nullopt;
    }
    if (disk.number >= 4) {
        return std::uint8_t{0};
    }
    return static_cast<std::uint8_t>(1u << (disk.number + (disk.atapi ? 4 : 0)));
}

bool LinuxDriveControl::ataPassThrough(DeviceHandle handle, const AtaCommand &command,
                                       std::span<std::uint8_t, kSectorSize> sector)
{
    const auto open = m_open.find(handle);
    if (open == m_open.end()) {
        return false;
    }
    OpenDisk &disk = open->second;
    if (!disk.fd.valid()) {
        return readerCommand(disk.number, encodeAtaRequest(disk.number, command), ataData(command, sector));
    }
    int error = 0;
    if (sendAtaPassThrough(disk.fd.get(), command, sector, error)) {
        return true;
    }
    // Read access to the node (group disk) without CAP_SYS_RAWIO: SG_IO refuses the ATA
    // command, and the reader takes over this disk.
    if (readerCanTakeOver(disk, error)) {
        (void)disk.fd.close();
        return readerCommand(disk.number, encodeAtaRequest(disk.number, command), ataData(command, sector));
    }
    if (error != 0) {
        m_lastError = std::strerror(error);
    }
    return false;
}

std::optional<ReaderReply> LinuxDriveControl::askReader(const std::vector<std::uint8_t> &request,
                                                        const std::string &device)
{
    std::optional<ReaderReply> reply = m_reader->exchange(request);
    if (!reply) {
        m_lastError = m_reader->lastError();
    } else if (reply->status != ReaderStatus::Done) {
        m_lastError = device + ": " + describeReply(*reply);
        reply.reset();
    }
    return reply;
}

bool LinuxDriveControl::readerCanTakeOver(const OpenDisk &disk, int error) const
{
    return refusedForPrivilege(error) && m_reader && disk.number < kReaderDrives;
}

DeviceHandle LinuxDriveControl::openThroughReader(unsigned number, const BlockDevice &disk, const std::string &refusal)
{
    const std::optional<ReaderReply> reply = askReader(encodeOpenCheck(number), devicePath(number));
    if (!reply) {
        // The user's own refusal comes first: it is what granting access would mend.
        m_lastError = refusal + " (and the drive reader: " + m_lastError + ")";
        return kInvalidHandle;
    }
    const DeviceHandle handle = m_nextReaderHandle++;
    m_open.insert_or_assign(handle, OpenDisk{FileDescriptor(), number, disk.atapi, disk.nvme});
    m_lastError.clear();
    return handle;
}

bool LinuxDriveControl::readerCommand(unsigned number, const std::vector<std::uint8_t> &request,
                                      std::span<std::uint8_t> data)
{
    const std::optional<ReaderReply> reply = askReader(request, devicePath(number));
    if (!reply) {
        return false;
    }
    // A completed command brings exactly its data; anything else would pass for the drive's.
    if (reply->data.size() != data.size()) {
        m_lastError = "the drive reader gave a reply of the wrong size";
        return false;
    }
    std::copy(reply->data.begin(), reply->data.end(), data.begin());
    return true;
}

bool LinuxDriveControl::nvmeAdminCommand(DeviceHandle handle, NvmeCommand command, std::span<std::uint8_t> data)
{
    const auto open = m_open.find(handle);
    if (open == m_open.end() || !open->second.nvme || data.size() != nvmeDataSize(command)) {
        return false;
    }
    OpenDisk &disk = open->second;
    if (!disk.fd.valid()) {
        return readerCommand(disk.number, encodeNvmeRequest(disk.number, command), data);
    }
    nvme_passthru_cmd cmd = buildNvmeAdminCommand(command, data);
    // 0 is success; a positive result is the drive's own status of a failed command.
    const int result = ::ioctl(disk.fd.get(), NVME_IOCTL_ADMIN_CMD, &cmd);
    const int error = result < 0 ? errno : 0;
    if (result == 0) {
        return true;
    }
    // Read access to the node (group disk) without CAP_SYS_ADMIN: the kernel refuses the
    // admin command (EACCES), and the reader takes over this disk.
    if (readerCanTakeOver(disk, error)) {
        (void)disk.fd.close();
        return readerCommand(disk.number, encodeNvmeRequest(disk.number, command), data);
    }
    m_lastError = result < 0 ? std::strerror(error) : "the drive refused the command";
    return false;
}

} // namespace orvane
