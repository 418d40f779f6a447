#include "catalog-core/search_index.h"

#include "catalog-core/code_point_order.h"
#include "catalog-core/pinyin.h"
#include "catalog-core/search_query.h"
#include "catalog-core/text_folding.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <tuple>
#include <unordered_map>

namespace orbitdeck {
namespace {

// The bundle folder's name without its extension, as the name a user knows the file by.
std::string bundleFileName(const std::filesystem::path& bundleURL) {
    auto path = bundleURL;
    if (!path.has_filename() && path.has_parent_path()) {
        path = path.parent_path();
    }
    return path.stem().native();
}

// The bundle's file URL as text ("file:///Applications/My%20App.app"): the index order breaks
// ties by it, and percent escapes order differently from the raw bytes they stand for.
std::string fileURLText(const std::filesystem::path& bundleURL) {
    constexpr std::string_view kept = "-._~!$&'()*+,;=:@/";
    constexpr char hex[] = "0123456789ABCDEF";
    const std::string path = canonicalComposition(bundleURL.native());
    std::string text = "file://";
    text.reserve(text.size() + path.size());
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x80 && std::isalnum(byte)) || kept.find(c) != std::string_view::npos) {
            text.push_back(c);
        } else {
            text.push_back('%');
            text.push_back(hex[byte >> 4]);
            text.push_back(hex[byte & 0xF]);
        }
    }
    return text;
}

} // namespace

// An entry while the index is built, with the composed keys of the index order.
struct AppSearchIndex::Draft {
    std::uint32_t app = 0;
    std::string name;
    std::string bundleName;
    std::optional<PinyinForm> pinyin;
    std::string idKey;
    std::string urlKey;
    std::string displayNameKey;
    std::string bundleIdentifierKey;

    auto orderKey() const {
        return std::tie(name, idKey, urlKey, displayNameKey, bundleIdentifierKey);
    }
};

AppSearchIndex::AppSearchIndex(const std::vector<AppDescriptor>& apps) {
    std::vector<Draft> drafts;
    drafts.reserve(apps.size());
    apps_.reserve(apps.size());
    for (const auto& app : apps) {
        apps_.push_back(std::make_shared<const AppDescriptor>(app));
        drafts.push_back({
            .app = static_cast<std::uint32_t>(drafts.size()),
            .name = foldText(app.displayName()),
            .bundleName = foldText(bundleFileName(app.bundleURL())),
            .pinyin = pinyinForm(app.displayName()),
            .idKey = canonicalComposition(app.id()),
            .urlKey = fileURLText(app.bundleURL()),
            .displayNameKey = canonicalComposition(app.displayName()),
            .bundleIdentifierKey = canonicalComposition(app.bundleIdentifier().value_or("")),
        });
    }
    std::ranges::stable_sort(drafts, [](const Draft& left, const Draft& right) {
        return left.orderKey() < right.orderKey();
    });

    std::unordered_map<std::string_view, std::uint32_t> idGroups;
    entries_.reserve(drafts.size());
    for (const auto& draft : drafts) {
        // Ids that are canonically equivalent are one id.
        const auto [group, added] =
            idGroups.try_emplace(draft.idKey, static_cast<std::uint32_t>(idGroups.size()));
        hasRepeatedIds_ = hasRepeatedIds_ || !added;
        Entry entry;
        entry.app = draft.app;
        entry.idGroup = group->second;
        entry.name = store(draft.name);
        entry.tokensBegin = static_cast<std::uint32_t>(tokens_.size());
        storeTokens(draft.name, entry.name);
        entry.tokensEnd = static_cast<std::uint32_t>(tokens_.size());
        entry.bundleIsName = draft.bundleName == draft.name;
        entry.bundleName = entry.bundleIsName ? entry.name : store(draft.bundleName);
        entry.bundleTokensBegin = entry.bundleIsName ? entry.tokensBegin : entry.tokensEnd;
        if (!entry.bundleIsName) {
            storeTokens(draft.bundleName, entry.bundleName);
        }
        entry.bundleTokensEnd = static_cast<std::uint32_t>(tokens_.size());
        if (draft.pinyin) {
            entry.hasPinyin = true;
            entry.pinyin = store(draft.pinyin->pinyin);
            entry.initials = store(draft.pinyin->initials);
        }
        entry.characters = asciiCharacterSet(draft.name) | asciiCharacterSet(draft.bundleName) |
                           asciiCharacterSet(draft.pinyin ? draft.pinyin->pinyin : "");
        entries_.push_back(entry);
    }
}

AppSearchIndex::Range AppSearchIndex::store(std::string_view text) {
    const Range range{.offset = static_cast<std::uint32_t>(text_.size()),
                      .length = static_cast<std::uint32_t>(text.size())};
    text_.append(text);
    return range;
}

void AppSearchIndex::storeTokens(std::string_view text, Range where) {
    for (const auto& span : tokenSpans(text)) {
        tokens_.push_back({.offset = where.offset + static_cast<std::uint32_t>(span.offset),
                           .length = static_cast<std::uint32_t>(span.length)});
    }
}

// Every query token begins at least one of the entry's tokens (several may share one).
bool AppSearchIndex::tokensCover(const SearchQuery& query, std::uint32_t begin,
                                 std::uint32_t end) const {
    if (query.tokens.empty()) {
        return false;
    }
    for (std::size_t index = 0; index < query.tokens.size(); ++index) {
        const auto wanted = query.token(index);
        const bool found =
            std::any_of(tokens_.begin() + begin, tokens_.begin() + end,
                        [&](Range token) { return hasCharacterPrefix(text(token), wanted); });
        if (!found) {
            return false;
        }
    }
    return true;
}

std::optional<SearchResult::Reason> AppSearchIndex::match(const Entry& entry,
                                                          const SearchQuery& query) const {
    using Reason = SearchResult::Reason;
    if ((query.characters & ~entry.characters) != 0) {
        return std::nullopt;
    }
    const auto name = text(entry.name);
    if (name == query.folded) {
        return Reason::exact;
    }
    if (hasCharacterPrefix(name, query.folded)) {
        return Reason::prefix;
    }
    if (tokensCover(query, entry.tokensBegin, entry.tokensEnd)) {
        return Reason::token;
    }
    if (!entry.bundleIsName &&
        (hasCharacterPrefix(text(entry.bundleName), query.folded) ||
         tokensCover(query, entry.bundleTokensBegin, entry.bundleTokensEnd))) {
        return Reason::token;
    }
    if (query.latin && entry.hasPinyin) {
        const auto pinyin = text(entry.pinyin);
        if (hasCharacterPrefix(pinyin, query.compact) ||
            hasCharacterPrefix(text(entry.initials), query.compact)) {
            return Reason::prefix;
        }
        if (query.compact.size() >= 3 && containsCharacters(pinyin, query.compact)) {
            return Reason::token;
        }
    }
    return std::nullopt;
}

std::vector<SearchResult> AppSearchIndex::search(std::string_view typed,
                                                 const AppDates& recentUse) const {
    const auto query = SearchQuery::prepare(typed);
    if (query.empty()) {
        return {};
    }
    struct Hit {
        const Entry* entry;
        SearchResult::Reason reason;
        std::optional<AppDate> lastOpened;
    };
    std::vector<Hit> hits;
    for (const auto& entry : entries_) {
        if (const auto reason = match(entry, query)) {
            hits.push_back({.entry = &entry, .reason = *reason, .lastOpened = std::nullopt});
        }
    }
    for (auto& hit : hits) {
        if (auto found = recentUse.find(apps_[hit.entry->app]->id()); found != recentUse.end()) {
            hit.lastOpened = found->second;
        }
    }
    // Better reason first; then opened before never opened, later before earlier; else index order.
    std::ranges::stable_sort(hits, [](const Hit& left, const Hit& right) {
        if (left.reason != right.reason) {
            return left.reason > right.reason;
        }
        if (left.lastOpened.has_value() != right.lastOpened.has_value()) {
            return left.lastOpened.has_value();
        }
        return left.lastOpened.has_value() && *left.lastOpened > *right.lastOpened;
    });

    std::vector<SearchResult> results;
    results.reserve(hits.size());
    std::vector<bool> seen(hasRepeatedIds_ ? entries_.size() : 0);
    for (const auto& hit : hits) {
        if (hasRepeatedIds_) {
            if (seen[hit.entry->idGroup]) {
                continue;
            }
            seen[hit.entry->idGroup] = true;
        }
        results.emplace_back(apps_[hit.entry->app], hit.reason);
    }
    return results;
}

} // namespace orbitdeck
