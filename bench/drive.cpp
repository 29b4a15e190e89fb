// SPDX-License-Identifier: MIT
// How long the drive code takes for its hot operations: the watch decodes every ticked
// drive's temperature every 30 seconds, the details refresh lists a full attribute sector.
#include "drive/attributes.h"
#include "drive/reporttable.h"
#include "platform/replay/replaydrivecontrol.h"

#include <benchmark/benchmark.h>

namespace {

using namespace orvane;

// 30 slots used, attribute 194 in the last one: the longest scan.
SectorBytes fullAttributeSector()
{
    SectorBytes s{};
    for (std::size_t slot = 0; slot < kAttributeSlots; ++slot) {
        const std::size_t at = kFirstSlot + kSlotSize * slot;
        s[at] = slot + 1 == kAttributeSlots ? kTemperatureId : static_cast<std::uint8_t>(slot + 1);
        s[at + 3] = 100;
        s[at + 4] = 90;
        s[at + 5] = 37;
    }
    return s;
}

void BM_DecodeTemperature(benchmark::State &state)
{
    const SectorBytes attributes = fullAttributeSector();
    const SectorBytes thresholds{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeTemperature(attributes, thresholds));
    }
}
BENCHMARK(BM_DecodeTemperature);

void BM_ListAttributeRows(benchmark::State &state)
{
    const SectorBytes attributes = fullAttributeSector();
    const SectorBytes thresholds{};
    ReportTable rows;
    for (auto _ : state) {
        rows.clear();
        ListAttributeRows(rows, attributes, thresholds);
        benchmark::DoNotOptimize(rows.rows.data());
    }
}
BENCHMARK(BM_ListAttributeRows);

void BM_ReadTemperatureFromRecording(benchmark::State &state)
{
    DriveRecording recording;
    recording.deviceMap = 0x01;
    recording.enableOk = true;
    recording.identify.emplace();
    recording.attributes = fullAttributeSector();
    recording.thresholds.emplace();
    ReplayDriveControl control;
    control.addDrive(0, recording);
    DriveTransport transport(control);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadTemperature(transport, 0));
    }
}
BENCHMARK(BM_ReadTemperatureFromRecording);

} // namespace

BENCHMARK_MAIN();
