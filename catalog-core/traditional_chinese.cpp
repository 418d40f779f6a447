#include "catalog-core/traditional_chinese.h"

#include <unicode/utf8.h>

#include <cstdint>

namespace orbitdeck {

std::string simplifiedChinese(std::string_view text) {
    std::string simplified;
    simplified.reserve(text.size());
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    for (std::int32_t offset = 0; offset < length;) {
        const auto rest = text.substr(static_cast<std::size_t>(offset));
        if (const auto match = traditionalToSimplified.longestPrefixOf(rest)) {
            simplified.append(match->value);
            U8_FWD_N(bytes, offset, length, static_cast<std::int32_t>(match->characters));
            continue;
        }
        const std::int32_t start = offset;
        U8_FWD_1(bytes, offset, length);
        simplified.append(
            text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(offset - start)));
    }
    return simplified;
}

} // namespace orbitdeck
