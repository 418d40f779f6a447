#pragma once
// Text as the layout model compares it: canonically equivalent texts are equal, and order is the
// code-point order of their NFC forms. Stored bytes stay as given; only comparisons normalise.
#include <compare>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>

namespace orbitdeck {

// The NFC form of UTF-8 text; ASCII returns unchanged without touching ICU.
std::string nfc(std::string_view text);

bool textEquals(std::string_view a, std::string_view b);
std::size_t textHash(std::string_view text);
std::strong_ordering textCompare(std::string_view a, std::string_view b);

struct LayoutTextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return textHash(text); }
};

struct LayoutTextEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return textEquals(a, b); }
};

using LayoutTextSet = std::unordered_set<std::string, LayoutTextHash, LayoutTextEqual>;

} // namespace orbitdeck
