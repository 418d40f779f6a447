#include "catalog-core/han_transliterator.h"

#include "catalog-core/han_reading_range.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace orbitdeck {

// The table made by make_han_readings: the readings one after another, and where each ends.
extern const unsigned char hanReadingText[];
extern const std::uint32_t hanReadingEnd[];

namespace {

// ICU transliterators are not safe for concurrent use, and making one costs milliseconds, so
// there is one behind a lock, made lazily, with every character it has read remembered.
class HanTransliterator {
public:
    std::string read(char32_t codePoint) {
        std::lock_guard lock(mutex_);
        if (auto found = cache_.find(codePoint); found != cache_.end()) {
            return found->second;
        }
        std::string reading = transliterate(codePoint);
        cache_.emplace(codePoint, reading);
        return reading;
    }

private:
    void make() {
        if (!made_) {
            made_ = true;
            UErrorCode status = U_ZERO_ERROR;
            transliterator_.reset(
                icu::Transliterator::createInstance("Han-Latin", UTRANS_FORWARD, status));
            if (U_FAILURE(status)) {
                transliterator_.reset();
            }
        }
    }

    std::string transliterate(char32_t codePoint) {
        make();
        if (!transliterator_) {
            return {};
        }
        icu::UnicodeString text(static_cast<UChar32>(codePoint));
        transliterator_->transliterate(text);
        std::string reading;
        text.trim().toUTF8String(reading);
        return reading;
    }

    std::mutex mutex_;
    bool made_ = false;
    std::unique_ptr<icu::Transliterator> transliterator_;
    std::unordered_map<char32_t, std::string> cache_;
};

HanTransliterator& sharedTransliterator() {
    static HanTransliterator transliterator;
    return transliterator;
}

} // namespace

std::string transliterateHanCharacter(char32_t codePoint) {
    if (codePoint >= hanTableFirst && codePoint <= hanTableLast) {
        const std::size_t index = codePoint - hanTableFirst;
        const std::uint32_t begin = index == 0 ? 0 : hanReadingEnd[index - 1];
        return {reinterpret_cast<const char*>(hanReadingText) + begin,
                hanReadingEnd[index] - begin};
    }
    return sharedTransliterator().read(codePoint);
}

} // namespace orbitdeck
