// A domain file is whatever is on disk: decoding it must never crash, and what decodes must
// survive a round trip through the encoder.
#include "platform/defaults_plist_codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto document = orbitdeck::decodeDefaultsPlist(bytes);
    if (!document)
        return 0;
    const auto again = orbitdeck::decodeDefaultsPlist(orbitdeck::encodeDefaultsPlist(*document));
    if (!again || again->values.size() != document->values.size())
        std::abort();
    return 0;
}
