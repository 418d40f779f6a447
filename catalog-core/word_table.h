#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace orbitdeck {

// A table of words made at build time, each with a value text, sorted by the words' UTF-8 bytes.
// The generated source lays out each word, then its value, one after another in text, with
// where each of the two ends in ends.
class WordTable {
public:
    constexpr WordTable(const unsigned char* text, const std::uint32_t* ends, std::size_t count,
                        std::size_t longest)
        : text_(text)
        , ends_(ends)
        , count_(count)
        , longest_(longest) {}

    // The longest word, in characters.
    std::size_t longest() const { return longest_; }
    std::size_t size() const { return count_; }
    std::string_view word(std::size_t index) const { return piece(2 * index); }
    std::string_view value(std::size_t index) const { return piece(2 * index + 1); }

    // The entries that begin with prefix, as a range of indexes [first, last).
    struct Range {
        std::size_t first = 0;
        std::size_t last = 0;
        bool empty() const { return first == last; }
    };
    Range all() const { return {0, count_}; }
    Range startingWith(std::string_view prefix) const { return startingWith(prefix, all()); }
    Range startingWith(std::string_view prefix, Range within) const;

    // The value of exactly this word, looked up within a range that holds it.
    std::optional<std::string_view> find(std::string_view word) const { return find(word, all()); }
    std::optional<std::string_view> find(std::string_view word, Range within) const;

    // The longest word text begins with, by whole characters: how many characters it covers and
    // its value. None when no word begins text.
    struct Match {
        std::size_t characters = 0;
        std::string_view value;
    };
    std::optional<Match> longestPrefixOf(std::string_view text) const;

private:
    std::string_view piece(std::size_t slot) const;

    const unsigned char* text_;
    const std::uint32_t* ends_;
    std::size_t count_;
    std::size_t longest_;
};

} // namespace orbitdeck
