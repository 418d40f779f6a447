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
class UndoActions;

// The window keys, the Escape cascade, the keyboard selection and the toggle of the launcher.
class CommandLayer : public QObject {
    Q_OBJECT
    // Launching and page turns; undo and the hidden set.
    Q_PROPERTY(QObject* launching READ launching CONSTANT)
    Q_PROPERTY(QObject* undoing READ undoing CONSTANT)

public:
    CommandLayer(AmbergridWindow& window, LaunchFlow& launch, UndoActions& undo,
                 QObject* parent = nullptr);

    // True when the key was handled (and is swallowed).
    bool handleKey(LibraryKey key);
    // The same for QML: "escape", "left", "right", "up", "down", "enter" or "undo".
    Q_INVOKABLE bool handleKeyName(const QString& name);
    Q_INVOKABLE void moveSelection(int offset);
    Q_INVOKABLE void activateSelection(const QString& itemKey);
    void activate(const LayoutItem& item);
    // Closes, in order: the settings, an open folder, arranging, a query; else hides.
    Q_INVOKABLE void handleEscape();
    Q_INVOKABLE void toggleLibrary();
    // Clears the query, stops arranging and hides the launcher.
    Q_INVOKABLE void dismissLibrary();
    Q_INVOKABLE void closeFolder();
    Q_INVOKABLE void openFolder(const QString& folderID);

    QObject* launching() const;
    QObject* undoing() const;

private:
    bool queryBlank() const;
    void leaveGuideWithEscape();

    AmbergridWindow& window_;
    LaunchFlow& launch_;
    UndoActions& undo_;
};

} // namespace orbitdeck
