#include "catalog-core/search_query.h"

#include <algorithm>

namespace orbitdeck {
namespace {

bool isAsciiAlphanumeric(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::string withoutWhitespace(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (std::size_t offset = 0; offset < text.size();) {
        const std::size_t start = offset;
        if (!isWhitespace(nextCodePoint(text, offset))) {
            compact.append(text.substr(start, offset - start));
        }
    }
    return compact;
}

} // namespace

std::uint64_t asciiCharacterSet(std::string_view text) {
    std::uint64_t set = 0;
    for (const char c : text) {
        if (c >= 'a' && c <= 'z') {
            set |= std::uint64_t{1} << (c - 'a');
        } else if (c >= 'A' && c <= 'Z') {
            set |= std::uint64_t{1} << (c - 'A');
        } else if (c >= '0' && c <= '9') {
            set |= std::uint64_t{1} << (26 + c - '0');
        }
    }
    return set;
}

SearchQuery SearchQuery::prepare(std::string_view typed) {
    SearchQuery query;
    query.folded = foldText(trimWhitespace(typed));
    if (query.folded.empty()) {
        return query;
    }
    query.tokens = tokenSpans(query.folded);
    query.characters = asciiCharacterSet(query.folded);
    query.compact = withoutWhitespace(query.folded);
    query.latin = !query.compact.empty() && std::ranges::all_of(query.compact, isAsciiAlphanumeric);
    return query;
}

} // namespace orbitdeck
