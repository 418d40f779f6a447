#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "layout-core/layout_item.h"
#include "window/library_key.h"
#endif

#include "window/tile_id.h"

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

class AmbergridWindow;
class LaunchFlow;
class LayoutOperations;
class MultiSelection;
class TileMenu;
class UndoActions;
class UninstallFlow;

// The window keys, the Escape cascade, the keyboard selection and the toggle of the launcher.
class CommandLayer : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the arranging module")
    // Launching and page turns; undo and the hidden set.
    Q_PROPERTY(orbitdeck::LaunchFlow* launching READ launching CONSTANT FINAL)
    Q_PROPERTY(orbitdeck::UndoActions* undoing READ undoing CONSTANT FINAL)
    // The tile menu, the multi-selection and the uninstall confirmation.
    Q_PROPERTY(orbitdeck::TileMenu* tileMenu READ tileMenu CONSTANT FINAL)
    Q_PROPERTY(orbitdeck::MultiSelection* multiSelect READ multiSelect CONSTANT FINAL)
    Q_PROPERTY(orbitdeck::UninstallFlow* uninstalling READ uninstalling CONSTANT FINAL)
    Q_MOC_INCLUDE("arranging/launch_flow.h")
    Q_MOC_INCLUDE("arranging/multi_selection.h")
    Q_MOC_INCLUDE("arranging/tile_menu.h")
    Q_MOC_INCLUDE("arranging/undo_actions.h")
    Q_MOC_INCLUDE("arranging/uninstall_flow.h")

public:
    CommandLayer(AmbergridWindow& window, LaunchFlow& launch, UndoActions& undo,
                 LayoutOperations& operations, QObject* parent = nullptr);

    // True when the key was handled (and is swallowed).
    bool handleKey(LibraryKey key);
    Q_INVOKABLE void moveSelection(int offset);
    // By value: the item may be the selection, which opening a folder clears.
    void activate(LayoutItem item);
    // Closes, in order: the settings, an open folder, arranging, a query; else hides.
    Q_INVOKABLE void handleEscape();
    Q_INVOKABLE void toggleLibrary();
    Q_INVOKABLE void closeFolder();
    // A folder tile's click: swallowed after a long press; else clears the keyboard selection
    // and opens the folder.
    Q_INVOKABLE void openFolder(const QString& folderID);

    // A click on a tile with its Qt modifier flags. Swallowed once after a long press; Shift or
    // Ctrl outside a search changes the multi-selection; a plain click only clears an existing
    // multi-selection; a folder opens; an application launches unless arranging.
    Q_INVOKABLE void tileTapped(const orbitdeck::TileId& tile, int modifiers);
    // A long press on a tile was held: arranging, and the click ending the press is swallowed.
    Q_INVOKABLE void tileLongPressEnded();
    // "Edit Layout": arranging as after a long press, with no tile click pending.
    Q_INVOKABLE void editLayout();
    // A click on empty space; the first rule that applies wins, the last one hides.
    Q_INVOKABLE void handleBackgroundClick();
    Q_INVOKABLE void clearSelection();
    // Ctrl+Left and Ctrl+Right: the page before or after, in paged browsing; false (not
    // handled) when there is none.
    Q_INVOKABLE bool turnPage(int offset);

    LaunchFlow* launching() const { return &launch_; }
    UndoActions* undoing() const { return &undo_; }
    TileMenu* tileMenu() const { return tileMenu_; }
    MultiSelection* multiSelect() const { return selection_; }
    UninstallFlow* uninstalling() const { return uninstall_; }

    // The delete badge and the menu: asks before moving the application to the Trash.
    Q_INVOKABLE void requestUninstall(const QString& appID);

private:
    bool queryBlank() const;
    void leaveGuideWithEscape();

    AmbergridWindow& window_;
    LaunchFlow& launch_;
    UndoActions& undo_;
    MultiSelection* selection_;
    UninstallFlow* uninstall_;
    TileMenu* tileMenu_;
};

} // namespace orbitdeck
