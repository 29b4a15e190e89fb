#include "platform/linux/linuxdrivecontrol.h"

#include "drive/nvmerequest.h"
#include "drive/smartstructs.h"
#include "platform/linux/atapassthrough.h"
#include "platform/linux/nvmeadmin.h"
#include "platform/replay/replaydrivecontrol.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <scsi/sg.h>
#include <sys/ioctl.h>
#include <unistd.h>
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

LinuxDriveControl::~LinuxDriveControl()
{
    for (const auto &entry : m_open) {
        ::close(static_cast<int>(entry.first));
    }
}

std::string LinuxDriveControl::devicePath(unsigned number) const
{
    const std::vector<BlockDevice> disks = WholeDisks(m_sysBlock);
    return number < disks.size() ? m_devDir + "/" + disks[number].name : std::string();
}

DeviceHandle LinuxDriveControl::createFile(const std::string &path)
{
    m_lastError.clear();
    const std::optional<unsigned> number = PhysicalDriveNumber(path);
    const std::vector<BlockDevice> disks = WholeDisks(m_sysBlock);
    if (!number || *number >= disks.size()) {
        m_lastError = "no such disk";
        return kInvalidHandle;
    }
    const std::string device = m_devDir + "/" + disks[*number].name;
    // Read-only and non-blocking as the S.M.A.R.T. tools do: SG_IO needs no write access
    // (but CAP_SYS_RAWIO), and a removable drive without a medium must still open.
    const int fd = ::open(device.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_lastError = device + ": " + std::strerror(errno);
        return kInvalidHandle;
    }
    m_open[fd] = {*number, disks[*number].atapi, disks[*number].nvme};
    return fd;
}

void LinuxDriveControl::closeHandle(DeviceHandle handle)
{
    if (m_open.erase(handle) > 0) {
        ::close(static_cast<int>(handle));
    }
}

bool LinuxDriveControl::deviceIoControl(DeviceHandle handle, std::uint32_t code, std::span<const std::uint8_t> in,
                                        std::span<std::uint8_t> out)
{
    const auto open = m_open.find(handle);
    if (open == m_open.end()) {
        return false;
    }
    if (code == SMART_GET_VERSION) {
        return !open->second.nvme && answerVersion(open->second, out);
    }
    if (code == kIoctlStorageQueryProperty) {
        return open->second.nvme && sendNvmeCommand(handle, in, out);
    }
    return sendAtaCommand(handle, code, in, out);
}

bool LinuxDriveControl::answerVersion(const OpenDisk &disk, std::span<std::uint8_t> out) const
{
    if (out.size() < sizeof(GETVERSIONINPARAMS)) {
        return false;
    }
    GETVERSIONINPARAMS version{};
    version.bVersion = 1;
    version.bRevision = 1;
    // One bit for the opened drive: bit N for an ATA disk, bit 4 + N for a packet device.
    if (disk.number < 4) {
        version.bIDEDeviceMap = static_cast<std::uint8_t>(1u << (disk.number + (disk.atapi ? 4 : 0)));
    }
    version.fCapabilities = 7;
    std::memcpy(out.data(), &version, sizeof version);
    return true;
}

bool LinuxDriveControl::sendNvmeCommand(DeviceHandle fd, std::span<const std::uint8_t> in, std::span<std::uint8_t> out)
{
    const std::optional<NvmeCommand> command = parseNvmeQuery(kIoctlStorageQueryProperty, in);
    if (!command) {
        return false;
    }
    std::vector<std::uint8_t> data(nvmeDataSize(*command), 0);
    nvme_passthru_cmd cmd = buildNvmeAdminCommand(*command, data);
    // 0 is success; a positive result is the drive's own status of a failed command.
    const int result = ::ioctl(static_cast<int>(fd), NVME_IOCTL_ADMIN_CMD, &cmd);
    if (result != 0) {
        m_lastError = result < 0 ? std::strerror(errno) : "the drive refused the command";
        return false;
    }
    return writeNvmeReply(*command, data, out);
}

bool LinuxDriveControl::sendAtaCommand(DeviceHandle fd, std::uint32_t code, std::span<const std::uint8_t> in,
                                       std::span<std::uint8_t> out)
{
    if (in.size() < kCommandBytesSent || out.size() < kReplyHeaderSize) {
        return false;
    }
    SENDCMDINPARAMS command{};
    std::memcpy(&command, in.data(), kCommandBytesSent);
    std::optional<AtaPassThrough> pt = BuildAtaPassThrough(code, command);
    if (!pt || (pt->dataIn && out.size() < kDataReplySize)) {
        return false;
    }

    std::array<std::uint8_t, kSectorSize> data{};
    std::array<std::uint8_t, 64> sense{};
    sg_io_hdr_t io{};
    io.interface_id = 'S';
    io.cmdp = pt->cdb.data();
    io.cmd_len = static_cast<unsigned char>(pt->cdb.size());
    io.sbp = sense.data();
    io.mx_sb_len = static_cast<unsigned char>(sense.size());
    io.timeout = kCommandTimeoutMs;
    if (pt->dataIn) {
        io.dxfer_direction = SG_DXFER_FROM_DEV;
        io.dxferp = data.data();
        io.dxfer_len = kSectorSize;
    } else {
        io.dxfer_direction = SG_DXFER_NONE;
    }
    if (::ioctl(static_cast<int>(fd), SG_IO, &io) < 0) {
        m_lastError = std::strerror(errno);
        return false;
    }
    const PassThroughStatus status{io.status, io.host_status, io.driver_status,
                                   std::span<const std::uint8_t>(sense.data(), io.sb_len_wr), io.resid};
    if (!PassThroughSucceeded(status)) {
        return false;
    }
    // Fill the reply as the Windows driver fills SENDCMDOUTPARAMS: the size of the data,
    // a clear driver status, then the sector.
    std::fill(out.begin(), out.end(), 0);
    const std::uint32_t size = pt->dataIn ? kSectorSize : 0;
    std::memcpy(out.data(), &size, sizeof size);
    if (pt->dataIn) {
        std::copy(data.begin(), data.end(), out.begin() + kReplyHeaderSize);
    }
    return true;
}

} // namespace orvane
