#include "catalog-core/text_folding.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <algorithm>

namespace orbitdeck {
namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// A code point that continues the character before it (accents, joiners, vowel signs).
bool continuesCharacter(char32_t codePoint) {
    if (codePoint < 0x300) {
        return false;
    }
    switch (u_getIntPropertyValue(static_cast<UChar32>(codePoint), UCHAR_GRAPHEME_CLUSTER_BREAK)) {
    case U_GCB_EXTEND:
    case U_GCB_ZWJ:
    case U_GCB_SPACING_MARK:
    case U_GCB_V:
    case U_GCB_T:
        return true;
    default:
        return false;
    }
}

bool isCharacterBoundary(std::string_view text, std::size_t offset) {
    if (offset == 0 || offset >= text.size()) {
        return true;
    }
    return !continuesCharacter(nextCodePoint(text, offset));
}

} // namespace

char32_t nextCodePoint(std::string_view text, std::size_t& offset) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    auto index = static_cast<int32_t>(offset);
    UChar32 codePoint = 0;
    U8_NEXT(bytes, index, length, codePoint);
    offset = static_cast<std::size_t>(index);
    return codePoint < 0 ? U'\uFFFD' : static_cast<char32_t>(codePoint);
}

std::string foldText(std::string_view text) {
    if (isAscii(text)) {
        std::string folded(text);
        std::transform(folded.begin(), folded.end(), folded.begin(), asciiLower);
        return folded;
    }
    UErrorCode status = U_ZERO_ERROR;
    const auto* nfd = icu::Normalizer2::getNFDInstance(status);
    const auto* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status)) {
        return std::string(text);
    }
    auto source = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    auto decomposed = nfd->normalize(source.foldCase(U_FOLD_CASE_DEFAULT), status);
    icu::UnicodeString stripped;
    for (int32_t i = 0; i < decomposed.length();) {
        const UChar32 codePoint = decomposed.char32At(i);
        if (u_charType(codePoint) != U_NON_SPACING_MARK) {
            stripped.append(codePoint);
        }
        i += U16_LENGTH(codePoint);
    }
    auto composed = nfc->normalize(stripped, status);
    if (U_FAILURE(status)) {
        return std::string(text);
    }
    std::string folded;
    composed.toUTF8String(folded);
    return folded;
}

bool isAlphanumeric(char32_t codePoint) {
    if (codePoint < 0x80) {
        return (codePoint >= 'a' && codePoint <= 'z') || (codePoint >= 'A' && codePoint <= 'Z') ||
               (codePoint >= '0' && codePoint <= '9');
    }
    constexpr uint32_t letterMarkNumber = U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK;
    return (U_GET_GC_MASK(static_cast<UChar32>(codePoint)) & letterMarkNumber) != 0;
}

bool isWhitespace(char32_t codePoint) {
    if (codePoint < 0x80) {
        return codePoint == ' ' || (codePoint >= '\t' && codePoint <= '\r');
    }
    return u_isUWhiteSpace(static_cast<UChar32>(codePoint));
}

std::vector<TextSpan> tokenSpans(std::string_view text) {
    std::vector<TextSpan> spans;
    std::size_t start = 0;
    bool inToken = false;
    for (std::size_t offset = 0; offset < text.size();) {
        const std::size_t here = offset;
        const bool alphanumeric = isAlphanumeric(nextCodePoint(text, offset));
        if (alphanumeric && !inToken) {
            start = here;
        } else if (!alphanumeric && inToken) {
            spans.push_back({.offset = start, .length = here - start});
        }
        inToken = alphanumeric;
    }
    if (inToken) {
        spans.push_back({.offset = start, .length = text.size() - start});
    }
    return spans;
}

std::vector<std::string> tokenize(std::string_view text) {
    std::vector<std::string> tokens;
    for (const auto& span : tokenSpans(text)) {
        tokens.emplace_back(span.in(text));
    }
    return tokens;
}

std::string_view trimWhitespace(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end) {
        std::size_t next = begin;
        if (!isWhitespace(nextCodePoint(text, next))) {
            break;
        }
        begin = next;
    }
    while (end > begin) {
        std::size_t start = end - 1;
        while (start > begin && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) {
            --start;
        }
        std::size_t probe = start;
        if (!isWhitespace(nextCodePoint(text, probe))) {
            break;
        }
        end = start;
    }
    return text.substr(begin, end - begin);
}

bool hasCharacterPrefix(std::string_view text, std::string_view prefix) {
    return text.starts_with(prefix) && isCharacterBoundary(text, prefix.size());
}

bool containsCharacters(std::string_view text, std::string_view needle) {
    for (auto at = text.find(needle); at != std::string_view::npos;
         at = text.find(needle, at + 1)) {
        if (isCharacterBoundary(text, at) && isCharacterBoundary(text, at + needle.size())) {
            return true;
        }
    }
    return false;
}

} // namespace orbitdeck
