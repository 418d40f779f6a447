#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "layout-core/layout_item.h"
#endif

#include "arranging/menu_action.h"

#include "window/menu_entry.h"
#include "window/tile_id.h"
#include <QObject>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include <vector>

namespace orbitdeck {

class AmbergridWindow;
class AppDescriptor;
class LaunchFlow;
class LayoutOperations;
class MultiSelection;
class UndoActions;
class UninstallFlow;

// The context menu of a grid tile: its content, taken when it opens, and its actions.
class TileMenu : public QObject {
    Q_OBJECT
    // The views' own TileMenu draws it.
    QML_NAMED_ELEMENT(TileMenuState)
    QML_UNCREATABLE("made by the arranging module")

public:
    static constexpr std::size_t maxGroupCandidates = 30;

    struct Parts {
        LaunchFlow& launch;
        LayoutOperations& operations;
        UndoActions& undo;
        MultiSelection& selection;
        UninstallFlow& uninstall;
    };

    TileMenu(AmbergridWindow& window, Parts parts, QObject* parent = nullptr);

    // The menu of the tile, drawn items in grid order (see menu_entries.h for the form).
    MenuEntries entries(const LayoutItem& item, const std::vector<LayoutItem>& drawn) const;
    // The same for a tile of the grid, which draws the current page of the visible items (all
    // of them when scrolling).
    Q_INVOKABLE QList<orbitdeck::MenuEntry> entriesFor(const orbitdeck::TileId& tile) const;
    std::vector<LayoutItem> drawnItems() const;
    // The menu of a tile inside the open folder: hide, Finder and Dock for an application,
    // "Move Out of Folder" for every tile.
    Q_INVOKABLE QList<orbitdeck::MenuEntry> folderTileEntries(const orbitdeck::TileId& tile) const;
    // An entry was chosen, for the tile the menu was opened on.
    Q_INVOKABLE void run(orbitdeck::menu::MenuAction action, const orbitdeck::TileId& tile,
                         const QString& argument);
    // Sets the folder anchor to the centre, clears the keyboard selection, opens the folder.
    void openFolderFromMenu(const FolderID& folder);

private:
    MenuEntries folderMenu(const LayoutItem& item) const;
    MenuEntries applicationMenu(const LayoutItem& item, const std::vector<LayoutItem>& drawn) const;
    MenuEntries groupWithEntries(const LayoutItem& item,
                                 const std::vector<LayoutItem>& drawn) const;
    // "Show in Finder" and the Dock entry of a known application.
    MenuEntries placeEntries(const AppDescriptor& app) const;
    // The visible application or placeholder with the id, which "Group With" names.
    std::optional<LayoutItem> visibleTile(const QString& id) const;
    void runOnTile(MenuAction action, const LayoutItem& item, const QString& argument);
    void toggleDock(const LayoutItem& item);
    // Moves the item out of the open folder with undo; closes the panel when the folder went.
    void moveOutOfOpenFolder(const LayoutItem& item);

    AmbergridWindow& window_;
    Parts parts_;
};

} // namespace orbitdeck
