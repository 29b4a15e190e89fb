// SPDX-License-Identifier: MIT
// Feeds arbitrary bodies to the drive reader's request decoder, the only input a privileged
// process takes from an ordinary user: whatever it accepts must be a drive 0 to 3 and a
// command of the allow-list, and must be exactly what the program itself would send.
#include "drive/readerprotocol.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace orvane;
    // On the heap at its exact size, so ASan sees any read past its end.
    const std::vector<std::uint8_t> body(data, data + size);
    const std::optional<ReaderRequest> request = decodeReaderRequest(body);
    (void)decodeReaderReply(body);
    if (!request) {
        return 0;
    }
    if (request->drive >= kReaderDrives) {
        std::abort();
    }
    std::vector<std::uint8_t> sent;
    switch (request->type) {
    case ReaderMessageType::OpenCheck:
        sent = encodeOpenCheck(request->drive);
        break;
    case ReaderMessageType::AtaCommand:
        sent = encodeAtaRequest(request->drive, request->ata);
        break;
    case ReaderMessageType::NvmeCommand:
        sent = encodeNvmeRequest(request->drive, request->nvme);
        break;
    }
    if (sent != body) {
        std::abort();
    }
    return 0;
}
