#include "catalog-core/application_directory_catalog.h"

#include "catalog-core/bundle_localization.h"
#include "catalog-core/bundle_walk.h"
#include "catalog-core/info_plist.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>
#include <utility>

namespace orbitdeck {

ApplicationDirectoryCatalog::ApplicationDirectoryCatalog(std::vector<std::filesystem::path> roots,
                                                         std::vector<std::string> languages)
    : roots_(std::move(roots))
    , languages_(std::move(languages)) {}

std::optional<AppDescriptor> describeBundle(const std::filesystem::path& bundle,
                                            const std::vector<std::string>& languages) {
    auto info = readBundleInfo(bundle);
    if (!info || info->packageType != "APPL")
        return std::nullopt;
    if (const auto strings = localizedInfoStrings(bundle, languages))
        applyLocalizedNames(*info, *strings);
    std::string displayName;
    if (info->displayName)
        displayName = std::move(*info->displayName);
    else if (info->name)
        displayName = std::move(*info->name);
    else
        displayName = bundle.stem().string();
    return AppDescriptor(std::move(displayName), std::move(info->identifier), bundle);
}

std::vector<AppDescriptor> firstPerIdentity(std::vector<AppDescriptor> descriptors) {
    // Compacts in place; a kept descriptor never moves again, so the views stay valid.
    std::unordered_set<std::string_view> seen;
    seen.reserve(descriptors.size());
    std::size_t kept = 0;
    for (std::size_t index = 0; index < descriptors.size(); ++index) {
        if (seen.contains(descriptors[index].id()))
            continue;
        if (kept != index)
            descriptors[kept] = std::move(descriptors[index]);
        seen.insert(descriptors[kept].id());
        ++kept;
    }
    descriptors.erase(descriptors.begin() + static_cast<std::ptrdiff_t>(kept), descriptors.end());
    return descriptors;
}

std::vector<AppDescriptor> ApplicationDirectoryCatalog::applications() const {
    std::vector<AppDescriptor> found;
    for (const auto& root : roots_) {
        const auto candidates = findBundleCandidates(root);
        found.reserve(found.size() + candidates.size());
        for (const auto& candidate : candidates)
            if (auto descriptor = describeBundle(candidate, languages_))
                found.push_back(std::move(*descriptor));
    }
    auto unique = firstPerIdentity(std::move(found));
    std::sort(unique.begin(), unique.end(), AppDescriptor::displayNameOrder);
    return unique;
}

} // namespace orbitdeck
