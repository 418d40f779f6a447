#include "catalog-core/word_table.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <array>

namespace orbitdeck {
namespace {

// The first index in [first, last) for which before is false; before holds for a leading run.
template <typename Before>
std::size_t partitionPoint(std::size_t first, std::size_t last, Before before) {
    while (first < last) {
        const std::size_t middle = first + (last - first) / 2;
        if (before(middle))
            first = middle + 1;
        else
            last = middle;
    }
    return first;
}

} // namespace

std::string_view WordTable::piece(std::size_t slot) const {
    const std::uint32_t begin = slot == 0 ? 0 : ends_[slot - 1];
    return {reinterpret_cast<const char*>(text_) + begin, ends_[slot] - begin};
}

WordTable::Range WordTable::startingWith(std::string_view prefix, Range within) const {
    // Byte order keeps every word with a given prefix together, right after the prefix itself.
    const std::size_t first = partitionPoint(
        within.first, within.last, [&](std::size_t index) { return word(index) < prefix; });
    const std::size_t last = partitionPoint(
        first, within.last, [&](std::size_t index) { return word(index).starts_with(prefix); });
    return {first, last};
}

std::optional<std::string_view> WordTable::find(std::string_view wanted, Range within) const {
    const std::size_t found = partitionPoint(
        within.first, within.last, [&](std::size_t index) { return word(index) < wanted; });
    if (found == within.last || word(found) != wanted)
        return std::nullopt;
    return value(found);
}

std::optional<WordTable::Match> WordTable::longestPrefixOf(std::string_view text) const {
    // Where each of the first characters ends; no word is longer than the table's longest.
    std::array<std::size_t, 64> ends{};
    const std::size_t limit = std::min(longest_, ends.size());
    std::size_t characters = 0;
    for (std::int32_t offset = 0; characters < limit && offset < std::ssize(text);) {
        U8_FWD_1(reinterpret_cast<const std::uint8_t*>(text.data()), offset,
                 static_cast<std::int32_t>(text.size()));
        ends[characters++] = static_cast<std::size_t>(offset);
    }
    if (characters == 0)
        return std::nullopt;
    // Longest first, searched only among the words that begin with this character (most
    // characters begin none).
    const Range candidates = startingWith(text.substr(0, ends[0]));
    for (std::size_t length = characters; length >= 1 && !candidates.empty(); --length) {
        if (const auto found = find(text.substr(0, ends[length - 1]), candidates))
            return Match{.characters = length, .value = *found};
    }
    return std::nullopt;
}

} // namespace orbitdeck
