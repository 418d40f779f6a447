#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orbitdeck {

// The pinyin of a name: its syllables joined without separator, and the first character of
// each syllable. Latin letters and digits in the name count as syllables of their own, so
// "QQ音乐" reads qqyinyue with the initials qyy.
struct PinyinForm {
    std::string pinyin;
    std::string initials;

    bool operator==(const PinyinForm&) const = default;
};

// True when a code point of the text lies in U+3400 to U+9FFF.
bool containsHan(std::string_view text);

// The Mandarin reading of a text: every Han character becomes a toned syllable set off by
// spaces, words of our phrase table read as a whole (longest first); other text is kept.
// Traditional characters read as their simplified form.
std::string mandarinToLatin(std::string_view text);

// None for a name without Han characters, or whose reading has no syllables.
std::optional<PinyinForm> pinyinForm(std::string_view displayName);

} // namespace orbitdeck
