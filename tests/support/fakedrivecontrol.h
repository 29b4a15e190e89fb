// SPDX-License-Identifier: MIT
#pragma once

#include "drive/drivecontrol.h"
#include "drive/driverequest.h"
#include "drive/smartstructs.h"

#include <array>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace orvane::test {

using SectorData = std::array<std::uint8_t, kSectorSize>;

// One request as it reached the platform.
struct SentRequest
{
    DeviceHandle handle;
    std::uint32_t code;
    std::vector<std::uint8_t> in;
    std::size_t outSize;

    // The register a request carried (command block bytes 4 to 11).
    std::uint8_t features() const { return in.at(4); }
    std::uint8_t driveHead() const { return in.at(9); }
    std::uint8_t command() const { return in.at(10); }
};

// A drive control that records every call and answers from hand-made sectors. Each
// request kind can be told to fail.
class FakeDriveControl : public DriveControl
{
public:
    struct Drive
    {
        std::optional<std::uint8_t> deviceMap = 0x01;
        bool enableOk = true;
        std::optional<SectorData> identify = SectorData{};
        std::optional<SectorData> attributes = SectorData{};
        std::optional<SectorData> thresholds = SectorData{};
        // An NVMe drive answers the storage query with these (and should fail the version).
        std::optional<NvmeIdentifyData> nvmeIdentify;
        std::optional<NvmeHealthLog> nvmeHealth;
        // Fill the output area with this byte on a failed request, as a careless driver might.
        std::optional<std::uint8_t> scribbleOnFailure;
    };

    std::map<std::string, Drive> drives; // by device path
    std::vector<std::string> openedPaths;
    std::vector<SentRequest> requests;
    std::set<DeviceHandle> open;
    int opens = 0;
    int closes = 0;

    Drive &drive(int number) { return drives[physicalDrivePath(std::to_string(number))]; }

    DeviceHandle createFile(const std::string &path) override
    {
        openedPaths.push_back(path);
        const auto found = drives.find(path);
        if (found == drives.end()) {
            return kInvalidHandle;
        }
        const DeviceHandle handle = 1000 + opens++;
        m_handles[handle] = path;
        open.insert(handle);
        return handle;
    }

    bool deviceIoControl(DeviceHandle handle, std::uint32_t code, std::span<const std::uint8_t> in,
                         std::span<std::uint8_t> out) override
    {
        requests.push_back({handle, code, {in.begin(), in.end()}, out.size()});
        if (!open.contains(handle)) {
            return false;
        }
        const Drive &d = drives.at(m_handles.at(handle));
        const bool ok = answer(d, code, in, out);
        if (!ok && d.scribbleOnFailure) {
            std::fill(out.begin(), out.end(), *d.scribbleOnFailure);
        }
        return ok;
    }

    void closeHandle(DeviceHandle handle) override
    {
        ++closes;
        open.erase(handle);
    }

private:
    static bool reply(const std::optional<SectorData> &sector, std::span<std::uint8_t> out)
    {
        if (!sector) {
            return false;
        }
        std::fill(out.begin(), out.end(), 0);
        std::copy(sector->begin(), sector->end(), out.begin() + kReplyHeaderSize);
        return true;
    }

    static bool answer(const Drive &d, std::uint32_t code, std::span<const std::uint8_t> in,
                       std::span<std::uint8_t> out)
    {
        if (code == kSmartGetVersion) {
            if (!d.deviceMap) {
                return false;
            }
            std::fill(out.begin(), out.end(), 0);
            out[3] = *d.deviceMap;
            return true;
        }
        if (code == kIoctlStorageQueryProperty) {
            const std::optional<NvmeCommand> nvme = parseNvmeQuery(code, in);
            if (nvme == NvmeCommand::IdentifyController && d.nvmeIdentify) {
                return writeNvmeReply(*nvme, *d.nvmeIdentify, out);
            }
            return nvme == NvmeCommand::HealthLog && d.nvmeHealth && writeNvmeReply(*nvme, *d.nvmeHealth, out);
        }
        const std::uint8_t features = in[4], command = in[10];
        if (code == kSmartSendDriveCommand) {
            return d.enableOk;
        }
        if (command == kAtaIdentifyDevice || command == kAtaIdentifyPacketDevice) {
            return reply(d.identify, out);
        }
        return reply(features == kSmartReadAttributeValues ? d.attributes : d.thresholds, out);
    }

    std::map<DeviceHandle, std::string> m_handles;
};

// Hand-made sectors.
struct Slot
{
    std::uint8_t id, value, worst, raw0, raw1;
};

inline SectorData attributeSector(std::initializer_list<std::pair<std::size_t, Slot>> slots)
{
    SectorData s{};
    for (const auto &[index, slot] : slots) {
        const std::size_t at = 2 + 12 * index;
        s[at] = slot.id;
        s[at + 3] = slot.value;
        s[at + 4] = slot.worst;
        s[at + 5] = slot.raw0;
        s[at + 6] = slot.raw1;
    }
    return s;
}

inline SectorData thresholdSector(std::initializer_list<std::pair<std::size_t, std::uint8_t>> thresholds)
{
    SectorData s{};
    for (const auto &[index, threshold] : thresholds) {
        s[2 + 12 * index + 1] = threshold;
    }
    return s;
}

// Writes `text` into an identify field the way a drive stores it: two characters a word,
// the first in the high byte.
inline void putIdentifyText(SectorData &s, std::size_t offset, const std::string &text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        s[offset + (i ^ 1)] = static_cast<std::uint8_t>(text[i]);
    }
}

inline void putWord(SectorData &s, std::size_t word, std::uint16_t value)
{
    s[2 * word] = static_cast<std::uint8_t>(value & 0xFF);
    s[2 * word + 1] = static_cast<std::uint8_t>(value >> 8);
}

} // namespace orvane::test
