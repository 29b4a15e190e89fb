// SPDX-License-Identifier: MIT
// Decodes arbitrary NVMe answers: the storage query's reply (whose data offset and length
// come from the driver), the identify data and the health log. No read may leave the
// buffers, and the reports always have their fixed rows.
#include "drive/nvmehealth.h"
#include "drive/nvmeidentity.h"
#include "drive/nvmerequest.h"
#include "drive/reporttable.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace orvane;
    // The reply exactly as large as the input, so ASan sees any read past its end.
    const std::vector<std::uint8_t> reply(data, data + size);
    NvmeIdentifyData identify{};
    NvmeHealthLog health{};
    if (nvmeReplyData(reply, identify) && size < kNvmeQueryHeaderSize + identify.size()) {
        std::abort();
    }
    (void)nvmeReplyData(reply, health);
    (void)parseNvmeQuery(kIoctlStorageQueryProperty, reply);

    std::copy_n(data, std::min(size, identify.size()), identify.begin());
    std::copy_n(data, std::min(size, health.size()), health.rbegin());
    ReportTable disk, smart;
    listNvmeIdentityRows(disk, identify, 0, true);
    listNvmeHealthRows(smart, health, nvmeWord(identify, kNvmeWarningTempOffset));
    const TAttrReading reading = nvmeTemperature(health);
    if (disk.rows.size() != 9 || smart.rows.size() != 17 || (reading.Raw != kNoTemperature && reading.Raw < -273)) {
        std::abort();
    }
    return 0;
}
