#include "arranging/menu_entries.h"

#include "window/ambergrid_window.h"
#include "window/localization.h"

namespace orbitdeck {

QVariantMap actionEntry(const QString& name, const QString& title, MenuAction action,
                        const QString& argument, bool enabled, bool destructive) {
    return {
        {QStringLiteral("type"), QStringLiteral("action")},
        {QStringLiteral("name"), name},
        {QStringLiteral("title"), title},
        {QStringLiteral("action"), static_cast<int>(action)},
        {QStringLiteral("argument"), argument},
        {QStringLiteral("enabled"), enabled},
        {QStringLiteral("destructive"), destructive},
    };
}

QVariantMap separatorEntry() {
    return {{QStringLiteral("type"), QStringLiteral("separator")}};
}

QVariantMap textEntry(const QString& name, const QString& title) {
    return {
        {QStringLiteral("type"), QStringLiteral("text")},
        {QStringLiteral("name"), name},
        {QStringLiteral("title"), title},
        {QStringLiteral("enabled"), false},
    };
}

QVariantMap submenuEntry(const QString& name, const QString& title, QVariantList entries) {
    return {
        {QStringLiteral("type"), QStringLiteral("submenu")},
        {QStringLiteral("name"), name},
        {QStringLiteral("title"), title},
        {QStringLiteral("entries"), std::move(entries)},
    };
}

std::vector<std::pair<FolderID, QString>> pageFolders(const AmbergridWindow& window) {
    std::vector<std::pair<FolderID, QString>> folders;
    const LibraryLayout& layout = window.layout()->layout();
    for (const LayoutItem& tile : layout.pageItems()) {
        if (!tile.isFolder())
            continue;
        if (const std::optional<LayoutFolder> folder = layout.folder(tile.folderID()))
            folders.emplace_back(tile.folderID(), window.folderTitle(*folder));
    }
    return folders;
}

QVariantList moveToFolderEntries(const AmbergridWindow& window, MenuAction action) {
    QVariantList entries;
    for (const auto& [id, title] : pageFolders(window)) {
        const QString folderID = QString::fromStdString(id.rawValue);
        entries.push_back(
            actionEntry(QStringLiteral("tile-menu-folder-") + folderID, title, action, folderID));
    }
    if (entries.isEmpty())
        return {};
    return {submenuEntry(QStringLiteral("tile-menu-move-to-folder"),
                         localized(QStringLiteral("Move to Folder"), window.language()),
                         std::move(entries))};
}

} // namespace orbitdeck
