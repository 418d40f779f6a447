#include "catalog-core/pinyin.h"

#include "catalog-core/han_transliterator.h"
#include "catalog-core/pinyin_phrases.h"
#include "catalog-core/text_folding.h"
#include "catalog-core/traditional_chinese.h"

#include <unicode/uscript.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <vector>

namespace orbitdeck {
namespace {

struct CodePoint {
    char32_t value;
    std::size_t offset;
    std::size_t length;
};

std::vector<CodePoint> decode(std::string_view text) {
    std::vector<CodePoint> codePoints;
    for (std::size_t offset = 0; offset < text.size();) {
        const std::size_t start = offset;
        const char32_t value = nextCodePoint(text, offset);
        codePoints.push_back({.value = value, .offset = start, .length = offset - start});
    }
    return codePoints;
}

bool isHan(char32_t codePoint) {
    if (codePoint < 0x2E80) {
        return false;
    }
    UErrorCode status = U_ZERO_ERROR;
    return uscript_getScript(static_cast<UChar32>(codePoint), &status) == USCRIPT_HAN;
}

// Length of the run of Han characters starting at index.
std::size_t hanRunLength(const std::vector<CodePoint>& codePoints, std::size_t index) {
    std::size_t end = index;
    while (end < codePoints.size() && isHan(codePoints[end].value)) {
        ++end;
    }
    return end - index;
}

} // namespace

bool containsHan(std::string_view text) {
    return std::ranges::any_of(decode(text), [](const CodePoint& codePoint) {
        return codePoint.value >= 0x3400 && codePoint.value <= 0x9FFF;
    });
}

std::string mandarinToLatin(std::string_view original) {
    // The phrase table is in simplified script: traditional names are read through it too.
    const std::string text = simplifiedChinese(original);
    const auto codePoints = decode(text);
    std::string reading;
    reading.reserve(text.size() * 2);
    for (std::size_t index = 0; index < codePoints.size();) {
        const std::size_t run = hanRunLength(codePoints, index);
        if (run == 0) {
            const auto& codePoint = codePoints[index++];
            reading.append(text.substr(codePoint.offset, codePoint.length));
            continue;
        }
        // The longest word of the table first; the character itself may have a correction of
        // its own, else ICU reads it.
        const auto& last = codePoints[index + run - 1];
        const auto word = pinyinPhrases.longestPrefixOf(std::string_view(text).substr(
            codePoints[index].offset, last.offset + last.length - codePoints[index].offset));
        reading.push_back(' ');
        reading.append(word ? std::string(word->value)
                            : transliterateHanCharacter(codePoints[index].value));
        reading.push_back(' ');
        index += word ? word->characters : 1;
    }
    return reading;
}

std::optional<PinyinForm> pinyinForm(std::string_view displayName) {
    if (!containsHan(displayName)) {
        return std::nullopt;
    }
    const std::string folded = foldText(mandarinToLatin(displayName));
    const auto syllables = tokenSpans(folded);
    if (syllables.empty()) {
        return std::nullopt;
    }
    PinyinForm form;
    for (const auto& span : syllables) {
        const auto syllable = span.in(folded);
        form.pinyin.append(syllable);
        int32_t firstLength = 0;
        U8_FWD_1(reinterpret_cast<const uint8_t*>(syllable.data()), firstLength,
                 static_cast<int32_t>(syllable.size()));
        form.initials.append(syllable.substr(0, static_cast<std::size_t>(firstLength)));
    }
    return form;
}

} // namespace orbitdeck
