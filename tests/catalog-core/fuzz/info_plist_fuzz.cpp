// Feeds arbitrary bytes to the Info.plist reader and builds a descriptor from what it returns,
// as the directory scan does with a bundle's information file.
#include "catalog-core/app_descriptor.h"
#include "catalog-core/info_plist.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto info = orbitdeck::parseInfoPlist(std::span(data, size));
    if (!info)
        return 0;
    const std::string name = info->displayName.value_or(info->name.value_or("Fallback"));
    const orbitdeck::AppDescriptor descriptor(name, info->identifier, "/Applications/Fuzz.app");
    const orbitdeck::AppDescriptor other("", std::nullopt, "/Applications/Other.app");
    return orbitdeck::AppDescriptor::displayNameOrder(descriptor, other) ? 0 : 0;
}
