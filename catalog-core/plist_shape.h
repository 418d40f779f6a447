#pragma once

#include <cstdint>
#include <span>

namespace orbitdeck {

// libplist parses nesting recursively and copies an object once per reference to it: a binary
// plist of a hundred bytes whose arrays point twice at the next one expands to millions of
// nodes, and deep nesting overflows the stack. Information files are shallow and small, so a
// file whose parsed tree would be deeper or larger than these bounds is refused unparsed.
inline constexpr int maxPlistDepth = 64;
inline constexpr std::uint64_t maxPlistNodes = 1 << 18;

// True when parsing bytes stays within the bounds above (or the bytes are no plist at all,
// which the parser refuses cheaply).
bool plistShapeWithinBounds(std::span<const std::uint8_t> bytes);

// The bounds above, and no key or string holding a NUL character: libplist aborts when it
// copies such a key or string, so a reader that walks and copies every entry (a preferences
// domain) needs this; one that only looks keys up does not.
bool plistSafeToParse(std::span<const std::uint8_t> bytes);

} // namespace orbitdeck
