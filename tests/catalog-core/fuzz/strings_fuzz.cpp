// A bundle's InfoPlist.strings is untrusted; whatever its bytes, parsing ends, and the names a
// scan would take from it are looked up.
#include "catalog-core/strings_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto strings =
        orbitdeck::parseStrings(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto name = strings.value("CFBundleDisplayName");
    return name && strings.value("CFBundleName") ? 0 : 0;
}
