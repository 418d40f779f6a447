#include "onboarding/sorted_items.h"

#include "library/library_sort.h"
#include "platform/main_thread.h"
#include "window/ambergrid_window.h"
#include "window/localization.h"

namespace orbitdeck {

namespace {

const char* utilitiesFolderID = "macos-utilities";

} // namespace

QString folderDisplayName(const AmbergridWindow& window, const LayoutFolder& folder) {
    if (folder.id.rawValue == utilitiesFolderID && folder.name == "Other")
        return localized(QStringLiteral("Other"), window.language());
    if (folder.name == "New Folder")
        return localized(QStringLiteral("New Folder"), window.language());
    return QString::fromStdString(folder.name);
}

std::vector<LayoutItem> sortedItems(const AmbergridWindow& window,
                                    const std::vector<LayoutItem>& items, const std::string& sort) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const std::optional<LibrarySort> mode = librarySortFromRawValue(sort);
    if (!mode || *mode == LibrarySort::manual)
        return items;
    auto& state = const_cast<AmbergridWindow&>(window);
    const LibraryState& library = *state.library();
    std::unordered_map<std::string, std::string> names;
    for (const AppDescriptor& app : library.apps())
        names.emplace(app.id(), app.displayName()); // the first of a repeated id
    std::unordered_map<std::string, std::string> titles;
    if (const auto& graph = state.layout()->layout().graph) {
        for (const auto& [id, folder] : graph->folders())
            titles.emplace(id.rawValue, folderDisplayName(window, folder).toStdString());
    }
    const std::string languageID = Localizer::system().lprojName(window.language()).toStdString();
    const LibrarySortContext context{
        .displayNames = names,
        .folderTitles = titles,
        .launchCounts = library.launchCounts(),
        .recentUse = library.recentUse(),
        .addedDates = library.addedDates(),
        .languageID = languageID,
    };
    return orbitdeck::sortedItems(items, *mode, context);
}

void installSortedItems(AmbergridWindow& window) {
    window.visible().setSortItems(
        [&window](const std::vector<LayoutItem>& items, const std::string& sort) {
            return sortedItems(window, items, sort);
        });
    window.setFolderTitle(
        [&window](const LayoutFolder& folder) { return folderDisplayName(window, folder); });
}

} // namespace orbitdeck
