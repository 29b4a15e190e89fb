// SPDX-License-Identifier: MIT
#include "platform/linux/reader/sysfsreaderdisks.h"

#include "platform/linux/atapassthrough.h"
#include "platform/linux/blockdevices.h"
#include "platform/linux/filedescriptor.h"
#include "platform/linux/reader/readerprivileges.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace orvane {

namespace {

class BlockDeviceDisk : public ReaderDisk
{
public:
    explicit BlockDeviceDisk(FileDescriptor fd)
        : m_fd(std::move(fd))
    {
    }

    bool ataCommand(const AtaCommand &command, std::span<std::uint8_t, kSectorSize> sector, int &error) override
    {
        const RaisedCapability rawIo(ReaderCapability::RawIo);
        return sendAtaPassThrough(m_fd.get(), command, sector, error);
    }

private:
    FileDescriptor m_fd;
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
    return {std::make_unique<BlockDeviceDisk>(std::move(fd)), ReaderStatus::Done, 0};
}

} // namespace orvane
