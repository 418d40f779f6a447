#include "catalog-core/code_point_order.h"

#include <unicode/bytestream.h>
#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <utility>

namespace orbitdeck {
namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

bool isValidUtf8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    if (text.size() > static_cast<std::size_t>(INT32_MAX))
        return false;
    std::int32_t offset = 0;
    while (offset < length) {
        UChar32 c = 0;
        U8_NEXT(bytes, offset, length, c);
        if (c < 0)
            return false;
    }
    return true;
}

std::optional<std::string> composedIfChanged(std::string_view text) {
    if (isAscii(text))
        return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status) || !isValidUtf8(text))
        return std::nullopt;
    const icu::StringPiece piece(text.data(), static_cast<std::int32_t>(text.size()));
    if (nfc->isNormalizedUTF8(piece, status) && U_SUCCESS(status))
        return std::nullopt;
    status = U_ZERO_ERROR;
    std::string composed;
    icu::StringByteSink<std::string> sink(&composed);
    nfc->normalizeUTF8(0, piece, sink, nullptr, status);
    if (U_FAILURE(status))
        return std::nullopt;
    return composed;
}

std::string canonicalComposition(std::string_view text) {
    auto composed = composedIfChanged(text);
    return composed ? std::move(*composed) : std::string(text);
}

std::string defaultLowercase(std::string_view text) {
    if (isAscii(text)) {
        std::string lowered(text);
        std::transform(lowered.begin(), lowered.end(), lowered.begin(), [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        });
        return lowered;
    }
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
    unicode.toLower(icu::Locale::getRoot());
    std::string lowered;
    unicode.toUTF8String(lowered);
    return lowered;
}

} // namespace orbitdeck
