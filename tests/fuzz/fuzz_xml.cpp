// SPDX-License-Identifier: MIT
// Reads arbitrary text as an XML document: no crash, no leak, and whatever was read must
// be written and read again. Only the declaration's attributes may fail a load.
#include "core/orvaneerror.h"
#include "settings/xmlparser.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace orvane;
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    TqomXMLParser2 document;
    try {
        document.LoadFromText(text);
    } catch (const OrvaneError &) {
        if (text.find("<?xml") == std::string_view::npos) {
            std::abort(); // only the declaration may fail the load
        }
        return 0;
    }
    (void)document.FindNode("Temp", true);
    const std::string written = document.AsXml();
    // The declaration's values are written back as they were read, unescaped, so only a
    // read declaration can make the written text fail to load again.
    TqomXMLParser2 again;
    try {
        again.LoadFromText(written);
    } catch (const OrvaneError &) {
        if (document.Declaration().Attributes().empty()) {
            std::abort();
        }
    }
    return 0;
}
