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

const icu::Normalizer2* nfcNormalizer() {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* normalizer = icu::Normalizer2::getNFCInstance(status);
    return U_SUCCESS(status) ? normalizer : nullptr;
}

bool isNFC(std::string_view text) {
    if (isAscii(text))
        return true;
    const icu::Normalizer2* normalizer = nfcNormalizer();
    UErrorCode status = U_ZERO_ERROR;
    const bool normalized =
        normalizer && normalizer->isNormalizedUTF8(
                          icu::StringPiece(text.data(), static_cast<int32_t>(text.size())), status);
    return normalized && U_SUCCESS(status);
}

// Runs `use` on the NFC form, copying only when the text is not already in it.
template <typename Use>
auto onNFC(std::string_view text, Use use) {
    if (isNFC(text))
        return use(text);
    const std::string normalized = nfc(text);
    return use(std::string_view(normalized));
}

} // namespace

std::string nfc(std::string_view text) {
    if (isAscii(text))
        return std::string(text);
    const icu::Normalizer2* normalizer = nfcNormalizer();
    if (!normalizer)
        return std::string(text);
    UErrorCode status = U_ZERO_ERROR;
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
    return onNFC(a, [&](std::string_view x) {
        return onNFC(b, [&](std::string_view y) { return x == y; });
    });
}

std::size_t textHash(std::string_view text) {
    return onNFC(text, [](std::string_view x) { return std::hash<std::string_view>{}(x); });
}

std::strong_ordering textCompare(std::string_view a, std::string_view b) {
    // Byte order of UTF-8 is code-point order.
    return onNFC(a, [&](std::string_view x) {
        return onNFC(b, [&](std::string_view y) { return x.compare(y) <=> 0; });
    });
}

} // namespace orbitdeck
