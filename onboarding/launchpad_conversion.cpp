#include "onboarding/launchpad_conversion.h"

#include "catalog-core/code_point_order.h"

namespace orbitdeck {

namespace {

constexpr const char* untitledFolderName = "New Folder";

} // namespace

LaunchpadConversion convertLaunchpadEntries(const std::vector<LaunchpadEntry>& entries,
                                            const std::unordered_set<std::string>& installed,
                                            const std::vector<std::string>& appOrder,
                                            const std::function<std::string()>& newFolderID) {
    LaunchpadConversion result;
    std::unordered_set<std::string> seen;
    // The application id of a stored bundle identifier, when installed and not placed yet.
    const auto take = [&](const std::string& bundleID) -> std::optional<std::string> {
        std::string id = "bundle:" + defaultLowercase(bundleID);
        if (!installed.contains(id) || !seen.insert(id).second)
            return std::nullopt;
        return id;
    };
    for (const LaunchpadEntry& entry : entries) {
        if (const auto* app = std::get_if<LaunchpadEntry::App>(&entry.value)) {
            if (auto id = take(app->bundleID))
                result.items.push_back(LayoutItem::application(std::move(*id)));
            continue;
        }
        const auto& folder = std::get<LaunchpadEntry::Folder>(entry.value);
        std::vector<LayoutItem> members;
        for (const std::string& bundleID : folder.bundleIDs)
            if (auto id = take(bundleID))
                members.push_back(LayoutItem::application(std::move(*id)));
        if (members.size() < 2) {
            result.items.insert(result.items.end(), members.begin(), members.end());
            continue;
        }
        const FolderID id{newFolderID()};
        result.folders.push_back(LayoutFolder{
            .id = id,
            .name = folder.title.empty() ? untitledFolderName : folder.title,
            .items = std::move(members),
        });
        result.items.push_back(LayoutItem::folder(id));
    }
    result.found = seen.size();
    for (const std::string& id : appOrder)
        if (seen.insert(id).second)
            result.items.push_back(LayoutItem::application(id));
    return result;
}

} // namespace orbitdeck
