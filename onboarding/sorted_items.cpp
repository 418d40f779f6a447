#include "onboarding/sorted_items.h"

#include "library/folder_titles.h"
#include "library/library_sort.h"
#include "platform/main_thread.h"
#include "window/ambergrid_window.h"
#include "window/localization.h"
#include "window/setting_enum.h"

namespace orbitdeck {

namespace {

// The folder titles are keys of the string tables (the table check finds them here).
static_assert(textKey("Other") == LibraryLayout::utilitiesFolderName);
static_assert(!textKey("New Folder").empty());

LocalizedText tableLookup(const AmbergridWindow& window) {
    return [language = window.language()](std::string_view key) {
        return localized(QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())),
                         language)
            .toStdString();
    };
}

} // namespace

QString folderDisplayName(const AmbergridWindow& window, const LayoutFolder& folder) {
    return QString::fromStdString(folderDisplayName(folder, tableLookup(window)));
}

std::vector<LayoutItem> sortedItems(const AmbergridWindow& window,
                                    const std::vector<LayoutItem>& items, LibrarySort sort) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (sort == LibrarySort::manual)
        return items;
    const LibraryState& library = *window.library();
    std::unordered_map<std::string, std::string> names;
    for (const AppDescriptor& app : library.apps())
        names.emplace(app.id(), app.displayName()); // the first of a repeated id
    const std::unordered_map<std::string, std::string> titles =
        folderTitles(window.layout()->layout(), tableLookup(window));
    const std::string languageID = Localizer::system().lprojName(window.language()).toStdString();
    const LibrarySortContext context{
        .displayNames = names,
        .folderTitles = titles,
        .launchCounts = library.launchCounts(),
        .recentUse = library.recentUse(),
        .addedDates = library.addedDates(),
        .languageID = languageID,
    };
    return orbitdeck::sortedItems(items, sort, context);
}

void installSortedItems(AmbergridWindow& window) {
    window.visible().setSortItems(
        [&window](const std::vector<LayoutItem>& items, LibrarySort sort) {
            return sortedItems(window, items, sort);
        });
    window.setFolderTitle(
        [&window](const LayoutFolder& folder) { return folderDisplayName(window, folder); });
}

} // namespace orbitdeck
