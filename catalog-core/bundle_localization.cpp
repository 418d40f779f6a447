#include "catalog-core/bundle_localization.h"

#include "catalog-core/code_point_order.h"
#include "catalog-core/info_plist.h"
#include "catalog-core/language_matching.h"

#include <dirent.h>

#include <algorithm>
#include <memory>

namespace orbitdeck {
namespace {

constexpr std::string_view lprojExtension = ".lproj";

std::filesystem::path resourcesOf(const std::filesystem::path& bundle) {
    return bundle / "Contents" / "Resources";
}

} // namespace

std::vector<std::string> bundleLocalizations(const std::filesystem::path& bundle) {
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(resourcesOf(bundle).c_str()),
                                                     ::closedir);
    if (!folder)
        return names;
    while (const dirent* entry = ::readdir(folder.get())) {
        const std::string_view name(entry->d_name);
        // The exact spelling, as the file is then opened by the name.
        if (name.size() <= lprojExtension.size() || !name.ends_with(lprojExtension) ||
            name.front() == '.' || !isValidUtf8(name))
            continue;
        std::string stem(name.substr(0, name.size() - lprojExtension.size()));
        if (stem != "Base")
            names.push_back(std::move(stem));
    }
    // readdir's order is the file system's; sorting keeps the choice the same everywhere.
    std::ranges::sort(names);
    return names;
}

std::optional<StringsEntries> localizedInfoStrings(const std::filesystem::path& bundle,
                                                   const std::vector<std::string>& languages) {
    if (languages.empty())
        return std::nullopt;
    const auto localization = preferredLocalization(bundleLocalizations(bundle), languages);
    if (!localization)
        return std::nullopt;
    const auto bytes = readSmallFile(
        resourcesOf(bundle) / (*localization + std::string(lprojExtension)) / "InfoPlist.strings",
        maxInfoPlistStringsBytes);
    if (!bytes)
        return std::nullopt;
    auto strings = parseStrings(*bytes);
    if (strings.entries.empty())
        return std::nullopt;
    return strings;
}

void applyLocalizedNames(BundleInfo& info, const StringsEntries& strings) {
    for (auto [key, field] : {std::pair{"CFBundleDisplayName", &BundleInfo::displayName},
                              std::pair{"CFBundleName", &BundleInfo::name}})
        if (auto value = strings.value(key))
            info.*field = std::move(*value);
}

} // namespace orbitdeck
