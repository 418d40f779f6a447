#include "arranging/tile_menu.h"

#include "arranging/launch_flow.h"
#include "arranging/layout_operations.h"
#include "arranging/menu_entries.h"
#include "arranging/multi_selection.h"
#include "arranging/undo_actions.h"
#include "arranging/uninstall_flow.h"
#include "platform/main_thread.h"
#include "window/ambergrid_window.h"
#include "window/localization.h"

#include <algorithm>

namespace orbitdeck {

TileMenu::TileMenu(AmbergridWindow& window, Parts parts, QObject* parent)
    : QObject(parent)
    , window_(window)
    , parts_(parts) {}

MenuEntries TileMenu::entries(const LayoutItem& item, const std::vector<LayoutItem>& drawn) const {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (parts_.selection.menuApplies(item))
        return parts_.selection.menuEntries();
    return item.isFolder() ? folderMenu(item) : applicationMenu(item, drawn);
}

std::vector<LayoutItem> TileMenu::drawnItems() const {
    std::vector<LayoutItem> items = window_.visible().visibleItems();
    const int capacity = window_.paging()->navCapacity();
    if (window_.settings()->browsingValue() != LibraryBrowsing::pages || capacity <= 0)
        return items;
    // The page shown: the last one when the stored page lies beyond the items.
    const int pages = VisibleLibrary::pageCount(items.size(), capacity);
    const auto page = static_cast<std::size_t>(std::clamp(window_.paging()->page(), 0, pages - 1));
    const std::size_t first = std::min(page * static_cast<std::size_t>(capacity), items.size());
    const std::size_t last = std::min(first + static_cast<std::size_t>(capacity), items.size());
    return {items.begin() + static_cast<std::ptrdiff_t>(first),
            items.begin() + static_cast<std::ptrdiff_t>(last)};
}

MenuEntries TileMenu::entriesFor(const TileId& tile) const {
    const std::optional<LayoutItem>& item = tile.item();
    if (!item)
        return {};
    return entries(*item, drawnItems());
}

MenuEntries TileMenu::folderMenu(const LayoutItem& item) const {
    const LibraryLanguage language = window_.language();
    const QString folder = QString::fromStdString(item.payload);
    return {
        actionEntry(QStringLiteral("tile-menu-open-folder"),
                    localized(QStringLiteral("Open Folder"), language), MenuAction::openFolder,
                    folder),
        actionEntry(QStringLiteral("tile-menu-rename"),
                    localized(QStringLiteral("Rename…"), language), MenuAction::openFolder, folder),
        actionEntry(QStringLiteral("tile-menu-ungroup"),
                    localized(QStringLiteral("Ungroup"), language), MenuAction::ungroup, folder),
    };
}

MenuEntries TileMenu::groupWithEntries(const LayoutItem& item,
                                       const std::vector<LayoutItem>& drawn) const {
    std::size_t candidates = 0;
    MenuEntries entries;
    for (const LayoutItem& other : drawn) {
        if (candidates == maxGroupCandidates)
            break;
        if (other.isFolder() || other == item)
            continue;
        ++candidates;
        if (const AppDescriptor* app = window_.library()->app(other.payload))
            entries.push_back(actionEntry(
                QStringLiteral("tile-menu-group-") + QString::fromStdString(other.payload),
                QString::fromStdString(app->displayName()), MenuAction::groupWith,
                QString::fromStdString(other.payload)));
    }
    if (candidates == 0)
        return {};
    return {MenuEntry::makeSubmenu(QStringLiteral("tile-menu-group-with"),
                                   localized(QStringLiteral("Group With"), window_.language()),
                                   std::move(entries))};
}

MenuEntries TileMenu::applicationMenu(const LayoutItem& item,
                                      const std::vector<LayoutItem>& drawn) const {
    const LibraryLanguage language = window_.language();
    const AppDescriptor* app = window_.library()->app(item.payload);
    AppPlaces* places = window_.environment().places;
    MenuEntries entries;
    if (app) {
        entries.push_back(actionEntry(QStringLiteral("tile-menu-open"),
                                      localized(QStringLiteral("Open"), language),
                                      MenuAction::open));
        const auto& bundleID = app->bundleIdentifier();
        if (places && bundleID && places->isRunning(*app))
            entries.push_back(actionEntry(QStringLiteral("tile-menu-quit"),
                                          localized(QStringLiteral("Quit"), language),
                                          MenuAction::quit));
        entries.push_back(MenuEntry::makeSeparator());
    }
    entries.append(groupWithEntries(item, drawn));
    entries.append(moveToFolderEntries(window_, MenuAction::moveToFolder));
    entries.push_back(actionEntry(QStringLiteral("tile-menu-hide"),
                                  localized(QStringLiteral("Hide from Orbitdeck"), language),
                                  MenuAction::hide));
    if (!app)
        return entries;
    entries.append(placeEntries(*app));
    if (parts_.uninstall.canUninstall(*app)) {
        entries.push_back(MenuEntry::makeSeparator());
        entries.push_back(actionEntry(QStringLiteral("tile-menu-trash"),
                                      localized(QStringLiteral("Move to Trash…"), language),
                                      MenuAction::trash, {}, true, true));
    }
    return entries;
}

MenuEntries TileMenu::placeEntries(const AppDescriptor& app) const {
    AppPlaces* places = window_.environment().places;
    if (!places)
        return {};
    const LibraryLanguage language = window_.language();
    MenuEntries entries{
        actionEntry(QStringLiteral("tile-menu-reveal"),
                    localized(QStringLiteral("Show in Finder"), language), MenuAction::reveal),
    };
    // Only where a dock the user sees can keep it: elsewhere the entry would do nothing.
    if (places->canKeepInDock(app.bundleURL())) {
        const bool docked = places->isInDock(app.bundleURL());
        entries.push_back(actionEntry(
            QStringLiteral("tile-menu-dock"),
            localized(docked ? QStringLiteral("Remove from Dock") : QStringLiteral("Keep in Dock"),
                      language),
            MenuAction::dock));
    }
    return entries;
}

MenuEntries TileMenu::folderTileEntries(const TileId& tile) const {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const std::optional<LayoutItem>& item = tile.item();
    if (!item)
        return {};
    const LibraryLanguage language = window_.language();
    MenuEntries entries;
    if (!item->isFolder()) {
        entries.push_back(actionEntry(QStringLiteral("tile-menu-hide"),
                                      localized(QStringLiteral("Hide from Orbitdeck"), language),
                                      MenuAction::hide));
        if (const AppDescriptor* app = window_.library()->app(item->payload))
            entries.append(placeEntries(*app));
    }
    entries.push_back(actionEntry(QStringLiteral("tile-menu-move-out"),
                                  localized(QStringLiteral("Move Out of Folder"), language),
                                  MenuAction::moveOutOfFolder));
    return entries;
}

void TileMenu::moveOutOfOpenFolder(const LayoutItem& item) {
    const std::optional<FolderID> folder = window_.selection()->openFolder();
    if (!folder)
        return;
    parts_.operations.moveOutOfFolder(item, *folder, true);
    if (!window_.layout()->layout().folder(*folder))
        window_.selection()->setOpenFolder(std::nullopt);
}

void TileMenu::openFolderFromMenu(const FolderID& folder) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    SelectionState& selection = *window_.selection();
    selection.setFolderAnchor({0.5, 0.5});
    selection.setSelectedItem(std::nullopt);
    selection.setOpenFolder(folder);
}

void TileMenu::toggleDock(const LayoutItem& item) {
    AppPlaces* places = window_.environment().places;
    const AppDescriptor* app = window_.library()->app(item.payload);
    if (!places || !app)
        return;
    if (places->isInDock(app->bundleURL()))
        places->removeFromDock(app->bundleURL());
    else
        places->addToDock(app->bundleURL());
}

void TileMenu::run(MenuAction action, const TileId& tile, const QString& argument) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    MultiSelection& selection = parts_.selection;
    // The selection menu's actions need no tile.
    switch (action) {
    case MenuAction::newFolderWithSelection:
        return selection.newFolderWithSelection();
    case MenuAction::moveSelectionToFolder:
        return selection.moveSelectionToFolder(argument);
    case MenuAction::hideSelectedApps:
        return selection.hideSelectedApps();
    case MenuAction::deselectAll:
        return selection.deselectAll();
    default:
        break;
    }
    if (tile.item())
        runOnTile(action, *tile.item(), argument);
}

std::optional<LayoutItem> TileMenu::visibleTile(const QString& id) const {
    const std::string payload = id.toStdString();
    for (const LayoutItem& item : window_.visible().visibleItems())
        if (!item.isFolder() && item.payload == payload)
            return item;
    return std::nullopt;
}

void TileMenu::runOnTile(MenuAction action, const LayoutItem& item, const QString& argument) {
    const FolderID folder{argument.toStdString()};
    const std::string& id = item.payload;
    const AppDescriptor* app = window_.library()->app(id);
    AppPlaces* places = window_.environment().places;
    switch (action) {
    case MenuAction::openFolder:
        if (window_.layout()->layout().folder(folder))
            openFolderFromMenu(folder);
        break;
    case MenuAction::ungroup:
        parts_.operations.ungroupFolder(folder, true);
        break;
    case MenuAction::open:
        window_.selection()->setOpenFolder(std::nullopt);
        if (app)
            parts_.launch.launch(AppDescriptor(*app));
        break;
    case MenuAction::quit:
        if (places && app && app->bundleIdentifier())
            places->quitFirst(*app);
        break;
    case MenuAction::groupWith:
        if (const std::optional<LayoutItem> target = visibleTile(argument))
            parts_.operations.createFolder(item, *target, true);
        break;
    case MenuAction::moveToFolder:
        parts_.operations.appendItem(item, folder, true);
        break;
    case MenuAction::moveOutOfFolder:
        moveOutOfOpenFolder(item);
        break;
    case MenuAction::hide:
        parts_.undo.hide(id);
        break;
    case MenuAction::reveal:
        if (places && app)
            places->reveal(app->bundleURL());
        break;
    case MenuAction::dock:
        toggleDock(item);
        break;
    case MenuAction::trash:
        if (app)
            parts_.uninstall.requestUninstall(AppDescriptor(*app));
        break;
    case MenuAction::newFolderWithSelection:
    case MenuAction::moveSelectionToFolder:
    case MenuAction::hideSelectedApps:
    case MenuAction::deselectAll:
        break;
    }
}

} // namespace orbitdeck
