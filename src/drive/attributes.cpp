// SPDX-License-Identifier: MIT
#include "drive/attributes.h"

#include "drive/attributename.h"
#include "drive/nvmehealth.h"

#include <cstdio>

namespace orvane {

namespace {

// Byte offsets inside an attribute slot.
constexpr std::size_t kId = 0, kValue = 3, kWorst = 4, kRaw0 = 5, kRaw1 = 6;
// Byte offset of the threshold inside a threshold slot.
constexpr std::size_t kThreshold = 1;

std::size_t slotOffset(std::size_t slot)
{
    return kFirstSlot + kSlotSize * slot;
}

// The numbers at slot position `offset` (which may be the position just after slot 29).
TAttrReading readingAt(Sector attributes, Sector thresholds, std::size_t offset)
{
    TAttrReading r;
    r.Threshold = thresholds[offset + kThreshold];
    r.Value = attributes[offset + kValue];
    r.Worst = attributes[offset + kWorst];
    r.Raw = attributes[offset + kRaw0] + 10 * attributes[offset + kRaw1];
    return r;
}

} // namespace

TAttrReading DecodeTemperature(Sector attributes, Sector thresholds)
{
    // Scan up to the first empty slot or attribute 194; when all 30 slots are used and none
    // is 194, the scan stops just after slot 29.
    std::size_t offset = slotOffset(kAttributeSlots);
    for (std::size_t slot = 0; slot < kAttributeSlots; ++slot) {
        const std::uint8_t id = attributes[slotOffset(slot) + kId];
        if (id == 0 || id == kTemperatureId) {
            offset = slotOffset(slot);
            break;
        }
    }
    TAttrReading r = readingAt(attributes, thresholds, offset);
    if (r.Raw > 100 || r.Raw <= 0) {
        r.Raw = r.Value;
    }
    if (offset == slotOffset(kAttributeSlots) || attributes[offset + kId] != kTemperatureId) {
        r.Threshold = kNoThreshold;
        r.Raw = kNoTemperature;
    }
    return r;
}

void AddSmartInfoRow(ReportList &smartInfo, std::uint8_t id, const std::string &name, const TAttrReading &reading)
{
    char caption[3];
    std::snprintf(caption, sizeof caption, "%02X", id);
    smartInfo.addRow({caption, name, std::to_string(reading.Threshold), std::to_string(reading.Value),
                      std::to_string(reading.Worst), std::to_string(reading.Raw), AttrVerdict(reading)});
}

void ListAttributeRows(ReportList &smartInfo, Sector attributes, Sector thresholds)
{
    for (std::size_t slot = 0; slot < kAttributeSlots; ++slot) {
        const std::size_t offset = slotOffset(slot);
        const std::uint8_t id = attributes[offset + kId];
        if (id == 0) {
            break;
        }
        AddSmartInfoRow(smartInfo, id, AttributeName(id), readingAt(attributes, thresholds, offset));
    }
}

TAttrReading ReadTemperature(DriveTransport &transport, std::uint8_t drive)
{
    // Cleared first, as the details refresh does: a failed read must never decode the
    // sectors another drive left behind.
    ReplyBuffers &buffers = transport.buffers();
    buffers.AttributeBuffer.fill(0);
    buffers.ThresholdBuffer.fill(0);

    OpeningSequence opened = runOpeningSequence(transport, drive);
    if (opened.nvme.answered()) {
        return opened.nvme.health ? nvmeTemperature(*opened.nvme.health)
                                  : TAttrReading{kNoTemperature, kNoThreshold, 0, 0};
    }
    (void)transport.ReadSmartAttributes(opened.handle, opened.command, drive);
    (void)transport.ReadSmartThresholds(opened.handle, opened.command, drive);
    opened.handle.close();

    return DecodeTemperature(sectorOf(buffers.AttributeBuffer), sectorOf(buffers.ThresholdBuffer));
}

} // namespace orvane
