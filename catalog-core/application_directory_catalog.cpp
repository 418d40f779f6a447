#include "catalog-core/application_directory_catalog.h"

#include "catalog-core/bundle_walk.h"
#include "catalog-core/info_plist.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace orbitdeck {

ApplicationDirectoryCatalog::ApplicationDirectoryCatalog(std::vector<std::filesystem::path> roots)
    : roots_(std::move(roots)) {}

std::optional<AppDescriptor> describeBundle(const std::filesystem::path& bundle) {
    auto info = readBundleInfo(bundle);
    if (!info || info->packageType != "APPL")
        return std::nullopt;
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
    std::unordered_set<std::string> seen;
    std::vector<AppDescriptor> kept;
    kept.reserve(descriptors.size());
    for (auto& descriptor : descriptors)
        if (seen.insert(descriptor.id()).second)
            kept.push_back(std::move(descriptor));
    return kept;
}

std::vector<AppDescriptor> ApplicationDirectoryCatalog::applications() const {
    std::vector<AppDescriptor> found;
    for (const auto& root : roots_)
        for (const auto& candidate : findBundleCandidates(root))
            if (auto descriptor = describeBundle(candidate))
                found.push_back(std::move(*descriptor));
    auto unique = firstPerIdentity(std::move(found));
    std::sort(unique.begin(), unique.end(), AppDescriptor::displayNameOrder);
    return unique;
}

} // namespace orbitdeck
