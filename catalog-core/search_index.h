#pragma once

#include "catalog-core/app_dates.h"
#include "catalog-core/app_descriptor.h"
#include "catalog-core/search_result.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orbitdeck {

struct SearchQuery;

// Everything a match needs, prepared once per application list: folded names and their words,
// the bundle's file name, and the pinyin of Chinese names with its initials. A search folds
// the query once and makes one pass of byte comparisons over the entries.
class AppSearchIndex {
public:
    AppSearchIndex() = default;
    explicit AppSearchIndex(const std::vector<AppDescriptor>& apps);

    // Ranked hits, at most one per id: by reason, then most recently opened, then index order.
    std::vector<SearchResult> search(std::string_view query, const AppDates& recentUse) const;

    std::size_t size() const { return entries_.size(); }

private:
    struct Range {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };
    struct Entry {
        std::uint32_t app = 0;
        // Dense number of the entry's id, to keep one hit per id.
        std::uint32_t idGroup = 0;
        Range name;
        Range bundleName;
        Range pinyin;
        Range initials;
        std::uint32_t tokensBegin = 0;
        std::uint32_t tokensEnd = 0;
        std::uint32_t bundleTokensBegin = 0;
        std::uint32_t bundleTokensEnd = 0;
        // The ASCII letters and digits of name, bundle name and pinyin: a query needing one
        // that is missing cannot match, whatever the rule.
        std::uint64_t characters = 0;
        bool hasPinyin = false;
        // The bundle's file name folds to the name, so its rules can add nothing.
        bool bundleIsName = false;
    };
    struct Draft;

    std::string_view text(Range range) const { return {text_.data() + range.offset, range.length}; }
    Range store(std::string_view text);
    void storeTokens(std::string_view text, Range where);
    bool tokensCover(const SearchQuery& query, std::uint32_t begin, std::uint32_t end) const;
    std::optional<SearchResult::Reason> match(const Entry& entry, const SearchQuery& query) const;

    std::vector<std::shared_ptr<const AppDescriptor>> apps_;
    std::vector<Entry> entries_;
    std::vector<Range> tokens_;
    // Every folded text of every entry, back to back.
    std::string text_;
    bool hasRepeatedIds_ = false;
};

} // namespace orbitdeck
