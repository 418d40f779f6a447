#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "layout-core/layout_item.h"
#endif

#include "window/menu_entry.h"
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <vector>

namespace orbitdeck {

class AmbergridWindow;
class LayoutOperations;
class UndoActions;

// Several application tiles selected with Ctrl- and Shift-clicks, and what the selection menu
// does with them: one folder, a move into a folder, or hiding, each one undoable step.
class MultiSelection : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the arranging module")

public:
    MultiSelection(AmbergridWindow& window, LayoutOperations& operations, UndoActions& undo,
                   QObject* parent = nullptr);

    // Ctrl toggles one tile and makes it the anchor; Shift adds the run from the anchor.
    void toggleSelection(const LayoutItem& item, bool extend);
    // The visible tiles that are selected, in visible order, folders left out.
    std::vector<LayoutItem> selectedItemsInOrder() const;
    // The selection menu applies: two or more selected, the tile among them.
    bool menuApplies(const LayoutItem& item) const;

    // A click with Shift or Ctrl (Qt modifier flags) on an application tile outside a search:
    // changes the selection and answers true; any other click answers false.
    bool modifierClick(const LayoutItem& item, int modifiers);
    Q_INVOKABLE void newFolderWithSelection();
    Q_INVOKABLE void moveSelectionToFolder(const QString& folderID);
    Q_INVOKABLE void hideSelectedApps();
    Q_INVOKABLE void deselectAll();
    // The selection menu's entries (see TileMenu for their form).
    MenuEntries menuEntries() const;

private:
    AmbergridWindow& window_;
    LayoutOperations& operations_;
    UndoActions& undo_;
};

} // namespace orbitdeck
