#pragma once

#include "catalog-core/text_folding.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orbitdeck {

// A query as typed, folded once so that matching it against every entry is plain byte work.
struct SearchQuery {
    std::string folded;
    std::vector<TextSpan> tokens;
    // The folded query without any white space.
    std::string compact;
    // Compact and made only of ASCII letters and digits: the only queries tried on pinyin.
    bool latin = false;

    // One bit per ASCII letter or digit of the folded query.
    std::uint64_t characters = 0;

    static SearchQuery prepare(std::string_view typed);

    bool empty() const { return folded.empty(); }
    std::string_view token(std::size_t index) const { return tokens[index].in(folded); }
};

// One bit per ASCII letter (either case) or digit in the text.
std::uint64_t asciiCharacterSet(std::string_view text);

} // namespace orbitdeck
