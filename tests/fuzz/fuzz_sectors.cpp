// SPDX-License-Identifier: MIT
// Decodes arbitrary identify, attribute and threshold sectors: no read may leave the
// 512-byte sectors, and the temperature must be a reading or the no-temperature marks.
#include "drive/attributes.h"
#include "drive/identity.h"
#include "drive/reporttable.h"

#include <algorithm>
#include <array>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace orvane;
    // Each sector on the heap at its exact size, so ASan sees any read past its end.
    std::vector<std::uint8_t> attributes(kSectorSize), thresholds(kSectorSize), identify(kSectorSize);
    std::copy_n(data, std::min(size, kSectorSize), attributes.begin());
    if (size > kSectorSize) {
        std::copy_n(data + kSectorSize, std::min(size - kSectorSize, kSectorSize), thresholds.begin());
    }
    std::copy_n(data, std::min(size, kSectorSize), identify.rbegin());

    const Sector a(attributes.data(), kSectorSize), t(thresholds.data(), kSectorSize);
    const TAttrReading reading = DecodeTemperature(a, t);
    if (reading.Raw != kNoTemperature && (reading.Raw < 0 || reading.Raw > 255)) {
        std::abort();
    }
    ReportTable rows, disk;
    ListAttributeRows(rows, a, t);
    if (rows.rows.size() > kAttributeSlots) {
        std::abort();
    }
    SENDCMDINPARAMS command{};
    ListIdentityRows(disk, Sector(identify.data(), kSectorSize), command, data && size ? data[0] : 0, 1, true);
    return 0;
}
