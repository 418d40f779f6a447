#include "onboarding/sorted_items.h"

#include "platform/main_thread.h"
#include "window/ambergrid_window.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace orbitdeck {

namespace {

const char* utilitiesFolderID = "macos-utilities";

// The locale of name comparison: the interface language's table name.
QLocale comparisonLocale(const QString& language) {
    static const std::pair<const char*, const char*> tables[] = {
        {"english", "en"},
        {"simplifiedChinese", "zh_Hans"},
        {"traditionalChinese", "zh_Hant"},
        {"japanese", "ja"},
        {"korean", "ko"},
        {"german", "de"},
        {"french", "fr"},
        {"spanish", "es"},
        {"italian", "it"},
        {"portuguese", "pt_BR"},
        {"russian", "ru"},
    };
    for (const auto& [name, table] : tables) {
        if (language == QLatin1String(name))
            return QLocale(QString::fromLatin1(table));
    }
    return QLocale::system();
}

} // namespace

QString folderDisplayName(const AmbergridWindow& window, const LayoutFolder& folder) {
    if (folder.id.rawValue == utilitiesFolderID && folder.name == "Other")
        return window.localizedText("Other");
    if (folder.name == "New Folder")
        return window.localizedText("New Folder");
    return QString::fromStdString(folder.name);
}

std::vector<LayoutItem> sortedItems(const AmbergridWindow& window,
                                    const std::vector<LayoutItem>& items, const std::string& sort) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (sort == "manual")
        return items;
    auto& state = const_cast<AmbergridWindow&>(window);
    const LibraryState& library = *state.library();
    const LibraryLayout& layout = state.layout()->layout();
    QCollator collator(comparisonLocale(state.settings()->language()));
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);

    struct Keyed {
        std::size_t index;
        LayoutItem item;
        QString name;
        std::int64_t count = 0;
        std::optional<LibraryDate> date;
    };
    const RecentUse* dates = sort == "added"    ? &library.addedDates()
                             : sort == "recent" ? &library.recentUse()
                                                : nullptr;
    std::vector<Keyed> keyed;
    keyed.reserve(items.size());
    for (std::size_t index = 0; index < items.size(); ++index) {
        const LayoutItem& item = items[index];
        Keyed entry{.index = index, .item = item, .name = {}, .count = 0, .date = std::nullopt};
        if (item.isFolder()) {
            if (const auto folder = layout.folder(item.folderID()))
                entry.name = folderDisplayName(window, *folder);
        } else {
            entry.name = QString::fromStdString(library.displayName(item.payload).value_or(""));
            if (const auto count = library.launchCounts().find(item.payload);
                count != library.launchCounts().end())
                entry.count = count->second;
            if (dates) {
                if (const auto date = dates->find(item.payload); date != dates->end())
                    entry.date = date->second;
            }
        }
        keyed.push_back(std::move(entry));
    }
    const bool reverse = sort == "nameReverse";
    std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
        if (sort == "frequency" && a.count != b.count)
            return a.count > b.count;
        if (dates && a.date != b.date) // an absent date is the distant past
            return a.date.value_or(LibraryDate::min()) > b.date.value_or(LibraryDate::min());
        const int names = collator.compare(a.name, b.name);
        if (names != 0)
            return reverse ? names > 0 : names < 0;
        return a.index < b.index;
    });
    std::vector<LayoutItem> sorted;
    sorted.reserve(keyed.size());
    for (Keyed& entry : keyed)
        sorted.push_back(std::move(entry.item));
    return sorted;
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
