#include "catalog-core/pinyin_phrases.h"

#include <algorithm>
#include <cstdint>
#include <ranges>

namespace orbitdeck {

// Made by make_pinyin_phrases: each entry's word, then its reading, one after another in the
// text, and where each of the two ends.
extern const unsigned char pinyinPhraseText[];
extern const std::uint32_t pinyinPhraseEnd[];
extern const std::size_t pinyinPhraseCount;
extern const std::size_t pinyinPhraseLongest;

namespace {

std::string_view piece(std::size_t slot) {
    const std::uint32_t begin = slot == 0 ? 0 : pinyinPhraseEnd[slot - 1];
    return {reinterpret_cast<const char*>(pinyinPhraseText) + begin, pinyinPhraseEnd[slot] - begin};
}

auto phrases(PinyinPhrases::Range range) {
    return std::views::iota(range.first, range.last);
}

} // namespace

std::size_t PinyinPhrases::longest() {
    return pinyinPhraseLongest;
}

std::size_t PinyinPhrases::size() {
    return pinyinPhraseCount;
}

std::string_view PinyinPhrases::phrase(std::size_t index) {
    return piece(2 * index);
}

std::string_view PinyinPhrases::syllables(std::size_t index) {
    return piece(2 * index + 1);
}

PinyinPhrases::Range PinyinPhrases::startingWith(std::string_view prefix, Range within) {
    // Byte order keeps every word with a given prefix together, right after the prefix itself.
    const auto all = phrases(within);
    const auto first = std::ranges::lower_bound(all, prefix, {}, phrase);
    const auto last = std::ranges::partition_point(first, all.end(), [prefix](std::size_t index) {
        return phrase(index).starts_with(prefix);
    });
    const auto at = [&](auto position) { return position == all.end() ? within.last : *position; };
    return {at(first), at(last)};
}

std::optional<std::string_view> PinyinPhrases::find(std::string_view word, Range within) {
    const auto all = phrases(within);
    const auto found = std::ranges::lower_bound(all, word, {}, phrase);
    if (found == all.end() || phrase(*found) != word)
        return std::nullopt;
    return syllables(*found);
}

} // namespace orbitdeck
