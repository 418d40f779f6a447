#pragma once

namespace orbitdeck {

// The Han characters whose readings are built into the program (CJK Unified Ideographs and
// Extension A); readings of the rarer blocks come from ICU when first needed.
inline constexpr char32_t hanTableFirst = 0x3400;
inline constexpr char32_t hanTableLast = 0x9FFF;

} // namespace orbitdeck
