#include "catalog-core/language_matching.h"

#include <algorithm>
#include <cstdlib>

namespace orbitdeck {
namespace {

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

struct LanguageTag {
    std::string language; // lower case
    std::string script;   // title case, inferred for Chinese
    std::string region;   // upper case
    std::string normalized() const {
        std::string text = language;
        for (const auto* part : {&script, &region})
            if (!part->empty())
                text += '-' + *part;
        return text;
    }
};

LanguageTag parseTag(std::string_view text) {
    std::vector<std::string> parts;
    std::string part;
    for (const char c : text) {
        if (c == '-' || c == '_') {
            if (!part.empty())
                parts.push_back(std::move(part));
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    if (!part.empty())
        parts.push_back(std::move(part));
    LanguageTag tag;
    if (parts.empty())
        return tag;
    std::ranges::transform(parts.front(), std::back_inserter(tag.language), asciiLower);
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::string& piece = parts[i];
        if (piece.size() == 4 && tag.script.empty() && tag.region.empty()) {
            std::ranges::transform(piece, std::back_inserter(tag.script), asciiLower);
            tag.script.front() = asciiUpper(tag.script.front());
        } else if ((piece.size() == 2 || piece.size() == 3) && tag.region.empty()) {
            std::ranges::transform(piece, std::back_inserter(tag.region), asciiUpper);
        }
    }
    return tag;
}

std::string impliedScript(const LanguageTag& tag) {
    if (!tag.script.empty() || tag.language != "zh")
        return tag.script;
    const bool traditional = tag.region == "TW" || tag.region == "HK" || tag.region == "MO";
    return traditional ? "Hant" : "Hans";
}

std::optional<std::string> matchOne(const std::vector<std::string>& available,
                                    const std::string& preference) {
    const LanguageTag wanted = parseTag(preference);
    if (wanted.language.empty())
        return std::nullopt;
    for (const auto& candidate : available)
        if (parseTag(candidate).normalized() == wanted.normalized())
            return candidate;
    const std::string wantedScript = impliedScript(wanted);
    if (!wantedScript.empty())
        for (const auto& candidate : available) {
            const LanguageTag tag = parseTag(candidate);
            if (tag.language == wanted.language && impliedScript(tag) == wantedScript)
                return candidate;
        }
    for (const auto& candidate : available)
        if (parseTag(candidate).language == wanted.language)
            return candidate;
    return std::nullopt;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

std::string languageTagFromPosixLocale(std::string_view locale) {
    // language[_territory][.codeset][@modifier]
    std::string name(locale.substr(0, locale.find_first_of(".@")));
    if (name.empty() || name == "C" || name == "POSIX")
        return {};
    std::ranges::replace(name, '_', '-');
    return name;
}

std::vector<std::string> preferredLanguagesFromEnvironment() {
    std::string effective;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        effective = environment(name);
        if (!effective.empty())
            break;
    }
    const std::string effectiveTag = languageTagFromPosixLocale(effective);
    if (effectiveTag.empty())
        return {};
    std::vector<std::string> tags;
    const auto add = [&tags](std::string tag) {
        if (!tag.empty() && std::ranges::find(tags, tag) == tags.end())
            tags.push_back(std::move(tag));
    };
    const std::string list = environment("LANGUAGE");
    for (std::size_t start = 0; start <= list.size();) {
        const auto colon = std::min(list.find(':', start), list.size());
        add(languageTagFromPosixLocale(std::string_view(list).substr(start, colon - start)));
        start = colon + 1;
    }
    add(effectiveTag);
    return tags;
}

std::optional<std::string> preferredLocalization(const std::vector<std::string>& available,
                                                 const std::vector<std::string>& preferences) {
    for (const auto& preference : preferences)
        if (auto match = matchOne(available, preference))
            return match;
    return std::nullopt;
}

} // namespace orbitdeck
