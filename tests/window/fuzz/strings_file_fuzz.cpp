// String tables are read at every start; a damaged one must never crash the parser.
#include "window/localization_format.h"
#include "window/localization_strings_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const auto& [key, value] : orbitdeck::parseStringsFile(bytes).entries)
        orbitdeck::formatText(value, {QString("x"), qint64{1}}, key);
    return 0;
}
