#include "platform/linux/linuxdrivecontrol.h"

#include "platform/linux/atapassthrough.h"
#include "platform/linux/nvmeadmin.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <scsi/sg.h>
#include <sys/ioctl.h>
#include <vector>

namespace orvane {

namespace {

// Long enough for a disk that has to spin up from standby first.
constexpr unsigned kCommandTimeoutMs = 15000;

} // namespace

LinuxDriveControl::LinuxDriveControl(std::string sysBlock, std::string devDir)
    : m_sysBlock(std::move(sysBlock))
    , m_devDir(std::move(devDir))
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
        m_lastError = device + ": " + std::strerror(errno);
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
    AtaPassThrough pt = buildAtaPassThrough(command);
    std::array<std::uint8_t, 64> sense{};
    sg_io_hdr_t io{};
    io.interface_id = 'S';
    io.cmdp = pt.cdb.data();
    io.cmd_len = static_cast<unsigned char>(pt.cdb.size());
    io.sbp = sense.data();
    io.mx_sb_len = static_cast<unsigned char>(sense.size());
    io.timeout = kCommandTimeoutMs;
    if (pt.dataIn) {
        io.dxfer_direction = SG_DXFER_FROM_DEV;
        io.dxferp = sector.data();
        io.dxfer_len = kSectorSize;
    } else {
        io.dxfer_direction = SG_DXFER_NONE;
    }
    if (::ioctl(open->second.fd.get(), SG_IO, &io) < 0) {
        m_lastError = std::strerror(errno);
        return false;
    }
    const PassThroughStatus status{io.status, io.host_status, io.driver_status,
                                   std::span<const std::uint8_t>(sense.data(), io.sb_len_wr), io.resid};
    return passThroughSucceeded(status);
}

bool LinuxDriveControl::nvmeAdminCommand(DeviceHandle handle, NvmeCommand command, std::span<std::uint8_t> data)
{
    const auto open = m_open.find(handle);
    if (open == m_open.end() || !open->second.nvme || data.size() != nvmeDataSize(command)) {
        return false;
    }
    nvme_passthru_cmd cmd = buildNvmeAdminCommand(command, data);
    // 0 is success; a positive result is the drive's own status of a failed command.
    const int result = ::ioctl(open->second.fd.get(), NVME_IOCTL_ADMIN_CMD, &cmd);
    if (result != 0) {
        m_lastError = result < 0 ? std::strerror(errno) : "the drive refused the command";
        return false;
    }
    return true;
}

} // namespace orvane
