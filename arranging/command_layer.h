#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "layout-core/layout_item.h"
#include "system/library_key.h"
#endif

#include <QObject>
#include <QString>

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
    // Launching and page turns; undo and the hidden set.
    Q_PROPERTY(QObject* launching READ launching CONSTANT)
    Q_PROPERTY(QObject* undoing READ undoing CONSTANT)
    // The tile menu, the multi-selection and the uninstall confirmation.
    Q_PROPERTY(QObject* tileMenu READ tileMenu CONSTANT)
    Q_PROPERTY(QObject* multiSelect READ multiSelect CONSTANT)
    Q_PROPERTY(QObject* uninstalling READ uninstalling CONSTANT)

public:
    CommandLayer(AmbergridWindow& window, LaunchFlow& launch, UndoActions& undo,
                 LayoutOperations& operations, QObject* parent = nullptr);

    // True when the key was handled (and is swallowed).
    bool handleKey(LibraryKey key);
    // The same for QML: "escape", "left", "right", "up", "down", "enter" or "undo".
    Q_INVOKABLE bool handleKeyName(const QString& name);
    Q_INVOKABLE void moveSelection(int offset);
    Q_INVOKABLE void activateSelection(const QString& itemKey);
    // By value: the item may be the selection, which opening a folder clears.
    void activate(LayoutItem item);
    // Closes, in order: the settings, an open folder, arranging, a query; else hides.
    Q_INVOKABLE void handleEscape();
    Q_INVOKABLE void toggleLibrary();
    // Clears the query, stops arranging and hides the launcher.
    Q_INVOKABLE void dismissLibrary();
    Q_INVOKABLE void closeFolder();
    Q_INVOKABLE void openFolder(const QString& folderID);

    QObject* launching() const;
    QObject* undoing() const;
    QObject* tileMenu() const;
    QObject* multiSelect() const;
    QObject* uninstalling() const;

    // A Shift- or Ctrl-click on an application tile changes the multi-selection (true).
    Q_INVOKABLE bool modifierClick(const QString& itemKey, int modifiers);
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
