#pragma once

#include "catalog-core/app_descriptor.h"

#include "catalog-core/language_matching.h"

#include <filesystem>
#include <string>
#include <vector>

namespace orbitdeck {

// The synchronous scan of a list of folders for application bundles. Keeps nothing between calls
// and touches no shared state, so it may run on any thread.
class ApplicationDirectoryCatalog {
public:
    // Names follow the bundles' localisations for the given languages, most preferred first;
    // by default the user's, as the environment gives them.
    explicit ApplicationDirectoryCatalog(
        std::vector<std::filesystem::path> roots,
        std::vector<std::string> languages = preferredLanguagesFromEnvironment());

    const std::vector<std::filesystem::path>& roots() const { return roots_; }

    // One descriptor per id (earlier root, then smaller path wins), in display-name order.
    // Never fails: missing roots and broken bundles contribute nothing.
    std::vector<AppDescriptor> applications() const;

private:
    std::vector<std::filesystem::path> roots_;
    std::vector<std::string> languages_;
};

// Deepest level below a root at which a bundle is still collected.
inline constexpr int maxBundleDepth = 3;

// The ".app" folders under root, by the walk rules, sorted by path in code-point order.
std::vector<std::filesystem::path> findBundleCandidates(const std::filesystem::path& root);

// The descriptor of one candidate; none unless its package type is "APPL". Its name is the one
// the bundle's localisation for the first language it serves gives, else its Info.plist's.
std::optional<AppDescriptor> describeBundle(const std::filesystem::path& bundle,
                                            const std::vector<std::string>& languages = {});

// Keeps the first descriptor per id, in the order given.
std::vector<AppDescriptor> firstPerIdentity(std::vector<AppDescriptor> descriptors);

} // namespace orbitdeck
