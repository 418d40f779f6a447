#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace orbitdeck {

// Words whose pinyin differs from reading their characters one by one, made at build time from
// a phrase dictionary and our corrections (pinyin_corrections.txt), sorted by their UTF-8 bytes.
// Readings are toneless syllables separated by spaces, ü written u. An entry of one character
// replaces the per-character reading of that character.
class PinyinPhrases {
public:
    // The longest word, in characters.
    static std::size_t longest();
    static std::size_t size();

    // The entries that begin with prefix, as a range of indexes [first, last).
    struct Range {
        std::size_t first = 0;
        std::size_t last = 0;
        bool empty() const { return first == last; }
    };
    static Range startingWith(std::string_view prefix, Range within = {0, size()});

    // The reading of exactly this word, looked up within a range that holds it.
    static std::optional<std::string_view> find(std::string_view phrase,
                                                Range within = {0, size()});

    static std::string_view phrase(std::size_t index);
    static std::string_view syllables(std::size_t index);
};

} // namespace orbitdeck
