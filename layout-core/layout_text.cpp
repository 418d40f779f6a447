#include "layout-core/layout_text.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <unicode/bytestream.h>
#include <unicode/normalizer2.h>

namespace orbitdeck {
namespace {

// Eight bytes at a time: every id is hashed on each validation, and most ids are ASCII.
bool isAscii(std::string_view text) {
    std::uint64_t seen = 0;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + i, 8);
        seen |= word;
    }
    for (; i < text.size(); ++i)
        seen |= static_cast<unsigned char>(text[i]);
    return (seen & 0x8080808080808080ULL) == 0;
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
