// A backup file is whatever the user picks: decoding must never crash, and what decodes must
// come back unchanged from the encoder.
#include "onboarding/layout_backup.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto backup = orbitdeck::decodeLayoutBackup(bytes);
    if (!backup)
        return 0;
    const auto again = orbitdeck::decodeLayoutBackup(orbitdeck::encodeLayoutBackup(*backup));
    // Dates written with an offset come back in UTC, which is the same moment.
    if (!again || again->layout != backup->layout || again->hidden != backup->hidden ||
        again->exportedAt != backup->exportedAt || again->sort != backup->sort)
        std::abort();
    return 0;
}
