#include "catalog-core/app_descriptor.h"

#include "catalog-core/code_point_order.h"

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace orbitdeck {
namespace {

void combine(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

} // namespace

std::string standardizedPath(const std::filesystem::path& path) {
    const std::string& text = path.native();
    const bool absolute = !text.empty() && text.front() == '/';
    std::vector<std::string_view> segments;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('/', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view segment(text.data() + start, end - start);
        if (segment.empty() || segment == ".") {
            // nothing to keep
        } else if (segment == "..") {
            if (!segments.empty() && segments.back() != "..")
                segments.pop_back();
            else if (!absolute)
                segments.push_back(segment);
        } else {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    // A fresh "." rather than assigning it to an empty result: GCC 12 at -O3 reports a false
    // overlap (-Wrestrict) in the inlined assignment.
    if (segments.empty())
        return absolute ? "/" : ".";
    std::string result = absolute ? "/" : "";
    for (std::size_t index = 0; index < segments.size(); ++index) {
        if (index > 0)
            result += '/';
        result += segments[index];
    }
    return result;
}

std::string AppDescriptor::identity(const std::optional<std::string>& bundleIdentifier,
                                    const std::filesystem::path& bundleURL) {
    if (bundleIdentifier && !bundleIdentifier->empty())
        return "bundle:" + defaultLowercase(*bundleIdentifier);
    return "path:" + standardizedPath(bundleURL);
}

AppDescriptor::AppDescriptor(std::string displayName, std::optional<std::string> bundleIdentifier,
                             std::filesystem::path bundleURL)
    : id_(identity(bundleIdentifier, bundleURL))
    , displayName_(std::move(displayName))
    , bundleIdentifier_(std::move(bundleIdentifier))
    , bundlePath_(bundleURL.native())
    , displayNameKey_(composedIfChanged(displayName_).value_or(std::string()))
    , idKey_(composedIfChanged(id_).value_or(std::string())) {}

bool operator==(const AppDescriptor& left, const AppDescriptor& right) {
    const auto& leftIdentifier = left.bundleIdentifier_;
    const auto& rightIdentifier = right.bundleIdentifier_;
    // Composed only when the bytes differ, which equal descriptors nearly never do.
    const bool sameIdentifier =
        leftIdentifier.has_value() == rightIdentifier.has_value() &&
        (!leftIdentifier || *leftIdentifier == *rightIdentifier ||
         canonicalComposition(*leftIdentifier) == canonicalComposition(*rightIdentifier));
    return left.idKey() == right.idKey() && left.displayNameKey() == right.displayNameKey() &&
           sameIdentifier && left.bundleURL() == right.bundleURL();
}

bool AppDescriptor::displayNameOrder(const AppDescriptor& left, const AppDescriptor& right) {
    if (const int order = left.displayNameKey().compare(right.displayNameKey()); order != 0)
        return order < 0;
    return left.idKey() < right.idKey();
}

} // namespace orbitdeck

std::size_t std::hash<orbitdeck::AppDescriptor>::operator()(
    const orbitdeck::AppDescriptor& descriptor) const noexcept {
    // Composed forms, so canonically equivalent descriptors hash alike.
    std::size_t seed = std::hash<std::string>{}(descriptor.idKey());
    orbitdeck::combine(seed, std::hash<std::string>{}(descriptor.displayNameKey()));
    const auto& identifier = descriptor.bundleIdentifier();
    // An absent identifier must hash apart from an empty one.
    orbitdeck::combine(seed, identifier.has_value());
    orbitdeck::combine(
        seed,
        identifier ? std::hash<std::string>{}(orbitdeck::canonicalComposition(*identifier)) : 0);
    orbitdeck::combine(seed, std::filesystem::hash_value(descriptor.bundleURL()));
    return seed;
}
