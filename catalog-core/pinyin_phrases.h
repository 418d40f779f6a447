#pragma once

#include <span>
#include <string_view>

namespace orbitdeck {

// How a word (or a single character) is read, as toneless syllables separated by spaces. The
// table only lists what the per-character transliteration reads wrongly: words with a character
// of several readings, and characters whose usual reading differs from the transliterator's.
struct PhraseReading {
    std::string_view phrase;
    std::string_view syllables;
};

std::span<const PhraseReading> pinyinPhrases();

} // namespace orbitdeck
