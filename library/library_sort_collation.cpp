#include "library/library_sort_collation.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <map>
#include <memory>
#include <mutex>

namespace orbitdeck {
namespace {

std::unique_ptr<icu::Collator> makeCollator(const std::string& languageID) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(
        icu::Collator::createInstance(icu::Locale::forLanguageTag(languageID, status), status));
    if (U_FAILURE(status) || !collator) {
        status = U_ZERO_ERROR;
        collator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
    }
    if (!collator) {
        return nullptr;
    }
    // Secondary strength ignores case but keeps accents; numeric orders digit runs by value.
    collator->setStrength(icu::Collator::SECONDARY);
    collator->setAttribute(UCOL_NUMERIC_COLLATION, UCOL_ON, status);
    return collator;
}

// Making a collator costs far more than a sort, so there is one per language for the process.
// Collators are only read after they are set up, which ICU allows from any thread.
const icu::Collator* collatorFor(std::string_view languageID) {
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<icu::Collator>, std::less<>> collators;
    std::lock_guard lock(mutex);
    auto found = collators.find(languageID);
    if (found == collators.end()) {
        std::string id(languageID);
        found = collators.emplace(id, makeCollator(id)).first;
    }
    return found->second.get();
}

icu::UnicodeString unicode(std::string_view text) {
    return icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
}

} // namespace

int compareNames(std::string_view left, std::string_view right, std::string_view languageID) {
    const auto* collator = collatorFor(languageID);
    if (collator == nullptr) {
        return left.compare(right);
    }
    UErrorCode status = U_ZERO_ERROR;
    return collator->compare(unicode(left), unicode(right), status);
}

std::string nameSortKey(std::string_view name, std::string_view languageID) {
    const auto* collator = collatorFor(languageID);
    if (collator == nullptr) {
        return std::string(name);
    }
    const auto text = unicode(name);
    std::string key(static_cast<std::size_t>(text.length()) * 4 + 16, '\0');
    auto* bytes = reinterpret_cast<uint8_t*>(key.data());
    auto length = collator->getSortKey(text, bytes, static_cast<int32_t>(key.size()));
    if (static_cast<std::size_t>(length) > key.size()) {
        key.resize(static_cast<std::size_t>(length));
        bytes = reinterpret_cast<uint8_t*>(key.data());
        length = collator->getSortKey(text, bytes, length);
    }
    // The key ends in a zero byte, which plain comparison does not need.
    key.resize(length > 0 ? static_cast<std::size_t>(length) - 1 : 0);
    return key;
}

} // namespace orbitdeck
