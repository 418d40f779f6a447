#include "arranging/menu_entries.h"

#include "window/ambergrid_window.h"
#include "window/localization.h"

namespace orbitdeck {

MenuEntry actionEntry(const QString& name, const QString& title, MenuAction action,
                      const QString& argument, bool enabled, bool destructive) {
    return MenuEntry::makeAction(name, title, static_cast<int>(action), argument, enabled,
                                 destructive);
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

MenuEntries moveToFolderEntries(const AmbergridWindow& window, MenuAction action) {
    MenuEntries entries;
    for (const auto& [id, title] : pageFolders(window)) {
        const QString folderID = QString::fromStdString(id.rawValue);
        entries.push_back(
            actionEntry(QStringLiteral("tile-menu-folder-") + folderID, title, action, folderID));
    }
    if (entries.isEmpty())
        return {};
    return {MenuEntry::makeSubmenu(QStringLiteral("tile-menu-move-to-folder"),
                                   localized(QStringLiteral("Move to Folder"), window.language()),
                                   std::move(entries))};
}

} // namespace orbitdeck
