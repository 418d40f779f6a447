#include "arranging/rules/arrange_wiggle.h"

#include <functional>

namespace orbitdeck {

WiggleTiming wiggleTiming(std::int64_t seed) {
    // The magnitude as an unsigned value, so negating the most negative seed cannot overflow.
    const auto bits = static_cast<std::uint64_t>(seed);
    const std::uint64_t magnitude = seed < 0 ? ~bits + 1 : bits;
    const std::uint64_t k = magnitude % 997;
    return {.duration = 0.14 + static_cast<double>(k % 5) * 0.008,
            .delay = static_cast<double>(k % 7) * 0.02};
}

std::int64_t wiggleSeed(const LayoutItem& item) {
    return static_cast<std::int64_t>(std::hash<LayoutItem>{}(item));
}

} // namespace orbitdeck
