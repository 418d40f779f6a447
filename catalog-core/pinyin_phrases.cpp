#include "catalog-core/pinyin_phrases.h"

#include <cstdint>

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
    const std::size_t first = partitionPoint(
        within.first, within.last, [prefix](std::size_t index) { return phrase(index) < prefix; });
    const std::size_t last = partitionPoint(first, within.last, [prefix](std::size_t index) {
        return phrase(index).starts_with(prefix);
    });
    return {first, last};
}

std::optional<std::string_view> PinyinPhrases::find(std::string_view word, Range within) {
    const std::size_t found = partitionPoint(
        within.first, within.last, [word](std::size_t index) { return phrase(index) < word; });
    if (found == within.last || phrase(found) != word)
        return std::nullopt;
    return syllables(found);
}

} // namespace orbitdeck
