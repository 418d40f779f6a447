#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orbitdeck {

// Folds case and diacritics the way the launcher compares names: É, é and e fold alike, Han and
// other letters stay as they are. The result is NFC.
std::string foldText(std::string_view text);

// Decodes the code point at offset and moves offset past it; ill-formed bytes read as U+FFFD.
char32_t nextCodePoint(std::string_view text, std::size_t& offset);

// Letters, marks and numbers; everything else separates tokens.
bool isAlphanumeric(char32_t codePoint);

// True for white space and line breaks (what a query is trimmed of).
bool isWhitespace(char32_t codePoint);

// A piece of a text, by byte offset and length, so tokens need not be copied.
struct TextSpan {
    std::size_t offset = 0;
    std::size_t length = 0;

    std::string_view in(std::string_view text) const { return text.substr(offset, length); }
};

// The maximal runs of alphanumeric characters, in order.
std::vector<TextSpan> tokenSpans(std::string_view text);
std::vector<std::string> tokenize(std::string_view text);

// Trims white space and line breaks from both ends.
std::string_view trimWhitespace(std::string_view text);

// Prefix by whole characters: the byte prefix must end where a character ends, so "cafe" is
// not a prefix of a name that continues with a combining accent.
bool hasCharacterPrefix(std::string_view text, std::string_view prefix);

// Containment by whole characters, with the same boundary rule at both ends.
bool containsCharacters(std::string_view text, std::string_view needle);

} // namespace orbitdeck
