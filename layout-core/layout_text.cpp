#include "layout-core/layout_text.h"

#include <algorithm>
#include <functional>
#include <unicode/bytestream.h>
#include <unicode/normalizer2.h>

namespace orbitdeck {
namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

std::string nfc(std::string_view text) {
    if (isAscii(text))
        return std::string(text);
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* normalizer = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status))
        return std::string(text);
    std::string out;
    icu::StringByteSink<std::string> sink(&out, static_cast<int32_t>(text.size()));
    normalizer->normalizeUTF8(0, icu::StringPiece(text.data(), static_cast<int32_t>(text.size())),
                              sink, nullptr, status);
    // Ill-formed UTF-8 has no normal form; such text then compares by its bytes.
    return U_SUCCESS(status) ? out : std::string(text);
}

bool textEquals(std::string_view a, std::string_view b) {
    if (a == b)
        return true;
    if (isAscii(a) && isAscii(b))
        return false;
    return nfc(a) == nfc(b);
}

std::size_t textHash(std::string_view text) {
    if (isAscii(text))
        return std::hash<std::string_view>{}(text);
    return std::hash<std::string>{}(nfc(text));
}

std::strong_ordering textCompare(std::string_view a, std::string_view b) {
    // Byte order of UTF-8 is code-point order.
    if (isAscii(a) && isAscii(b))
        return a.compare(b) <=> 0;
    return nfc(a).compare(nfc(b)) <=> 0;
}

} // namespace orbitdeck
