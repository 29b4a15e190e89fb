// SPDX-License-Identifier: MIT
#include "platform/linux/reader/sysfsreaderdisks.h"

#include "platform/linux/atapassthrough.h"
#include "platform/linux/blockdevices.h"
#include "platform/linux/filedescriptor.h"
#include "platform/linux/nvmeadmin.h"
#include "platform/linux/reader/readerprivileges.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

namespace orvane {

namespace {

// A disk gets only the commands of its own protocol: an ATA command never goes to an NVMe
// namespace, nor an NVMe command to any other disk (ENOTTY, as the kernel would answer).
class BlockDeviceDisk : public ReaderDisk
{
public:
    BlockDeviceDisk(FileDescriptor fd, bool nvme)
        : m_fd(std::move(fd))
        , m_nvme(nvme)
    {
    }

    bool ataCommand(const AtaCommand &command, std::span<std::uint8_t, kSectorSize> sector, int &error) override
    {
        if (m_nvme) {
            error = ENOTTY;
            return false;
        }
        const RaisedCapability rawIo(ReaderCapability::RawIo);
        return sendAtaPassThrough(m_fd.get(), command, sector, error);
    }

    bool nvmeCommand(NvmeCommand command, std::span<std::uint8_t> data, int &error) override
    {
        if (!m_nvme || data.size() != nvmeDataSize(command)) {
            error = ENOTTY;
            return false;
        }
        nvme_passthru_cmd cmd = buildNvmeAdminCommand(command, data);
        int result = 0;
        {
            const RaisedCapability admin(ReaderCapability::NvmeAdmin);
            result = ::ioctl(m_fd.get(), NVME_IOCTL_ADMIN_CMD, &cmd);
            error = result < 0 ? errno : 0;
        }
        // 0 is success; a positive result is the drive's own status of a failed command.
        return result == 0;
    }

private:
    FileDescriptor m_fd;
    bool m_nvme;
};

// Opens the node read-only as the program's back-end does; O_NOFOLLOW and O_NONBLOCK: a link
// is not followed, and a drive without a medium still opens.
// The open's error number is kept before the capability is lowered again.
FileDescriptor openNode(const std::string &path, int &error)
{
    const RaisedCapability readDevice(ReaderCapability::ReadDevice);
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    error = fd.valid() ? 0 : errno;
    return fd;
}

} // namespace

SysfsReaderDisks::SysfsReaderDisks(std::string sysBlock, std::string devDir)
    : m_sysBlock(std::move(sysBlock))
    , m_devDir(std::move(devDir))
{
}

ReaderDisks::Opened SysfsReaderDisks::open(unsigned number)
{
    const std::vector<BlockDevice> disks = wholeDisks(m_sysBlock);
    if (number >= disks.size()) {
        return {nullptr, ReaderStatus::NoSuchDisk, 0};
    }
    int error = 0;
    FileDescriptor fd = openNode(m_devDir + "/" + disks[number].name, error);
    if (!fd.valid()) {
        return {nullptr, ReaderStatus::OpenFailed, error};
    }
    struct stat node
    {
    };
    if (::fstat(fd.get(), &node) != 0 || !S_ISBLK(node.st_mode)) {
        return {nullptr, ReaderStatus::OpenFailed, ENOTBLK};
    }
    return {std::make_unique<BlockDeviceDisk>(std::move(fd), disks[number].nvme), ReaderStatus::Done, 0};
}

} // namespace orvane
