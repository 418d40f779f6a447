#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "layout-core/layout_item.h"
#endif

#include <QObject>
#include <QPointF>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include <optional>
#include <unordered_set>

namespace orbitdeck {

struct PendingReorder {
    LayoutItem target;
    bool after = false;
};

// Arranging mode, the keyboard selection, the multi-selection, the drag and the open folder.
// Items travel to QML as item keys (see item_keys.h).
class SelectionState : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the window state")
    Q_PROPERTY(bool arranging READ arranging WRITE setArranging NOTIFY arrangingChanged FINAL)
    Q_PROPERTY(QString selectedItem READ selectedItemKey NOTIFY selectedItemChanged FINAL)
    Q_PROPERTY(
        QStringList multiSelection READ multiSelectionKeys NOTIFY multiSelectionChanged FINAL)
    Q_PROPERTY(QString draggingItem READ draggingItemKey NOTIFY draggingItemChanged FINAL)
    Q_PROPERTY(QString activeDropTile READ activeDropTileKey NOTIFY activeDropTileChanged FINAL)
    // The id of the open folder, empty when none is open.
    Q_PROPERTY(QString openFolder READ openFolderID NOTIFY openFolderChanged FINAL)
    Q_PROPERTY(QPointF folderAnchor READ folderAnchor WRITE setFolderAnchor NOTIFY
                   folderAnchorChanged FINAL)
    Q_PROPERTY(bool suppressNextTap READ suppressNextTap WRITE setSuppressNextTap NOTIFY
                   suppressNextTapChanged FINAL)

public:
    using ItemSet = std::unordered_set<LayoutItem>;

    using QObject::QObject;

    bool arranging() const { return arranging_; }
    void setArranging(bool arranging);

    const std::optional<LayoutItem>& selectedItem() const { return selectedItem_; }
    void setSelectedItem(std::optional<LayoutItem> item);
    QString selectedItemKey() const;

    const ItemSet& multiSelection() const { return multiSelection_; }
    void setMultiSelection(ItemSet items);
    QStringList multiSelectionKeys() const;
    Q_INVOKABLE bool isMultiSelected(const QString& key) const {
        return multiSelectionKeys().contains(key);
    }
    Q_INVOKABLE void clearMultiSelection() { setMultiSelection({}); }
    const std::optional<LayoutItem>& selectionAnchor() const { return selectionAnchor_; }
    void setSelectionAnchor(std::optional<LayoutItem> item) { selectionAnchor_ = std::move(item); }

    const std::optional<LayoutItem>& draggingItem() const { return draggingItem_; }
    void setDraggingItem(std::optional<LayoutItem> item);
    QString draggingItemKey() const;
    const std::optional<LayoutItem>& activeDropTile() const { return activeDropTile_; }
    void setActiveDropTile(std::optional<LayoutItem> item);
    QString activeDropTileKey() const;
    bool dragUndoRecorded() const { return dragUndoRecorded_; }
    void setDragUndoRecorded(bool recorded) { dragUndoRecorded_ = recorded; }
    const std::optional<PendingReorder>& pendingReorder() const { return pendingReorder_; }
    void setPendingReorder(std::optional<PendingReorder> value) {
        pendingReorder_ = std::move(value);
    }

    const std::optional<FolderID>& openFolder() const { return openFolder_; }
    void setOpenFolder(std::optional<FolderID> folder);
    QString openFolderID() const;
    QPointF folderAnchor() const { return folderAnchor_; }
    void setFolderAnchor(QPointF anchor);

    bool suppressNextTap() const { return suppressNextTap_; }
    void setSuppressNextTap(bool suppress);

signals:
    void arrangingChanged();
    void selectedItemChanged();
    void multiSelectionChanged();
    void draggingItemChanged();
    void activeDropTileChanged();
    void openFolderChanged();
    void folderAnchorChanged();
    void suppressNextTapChanged();

private:
    bool arranging_ = false;
    std::optional<LayoutItem> selectedItem_;
    ItemSet multiSelection_;
    std::optional<LayoutItem> selectionAnchor_;
    std::optional<LayoutItem> draggingItem_;
    std::optional<LayoutItem> activeDropTile_;
    bool dragUndoRecorded_ = false;
    std::optional<PendingReorder> pendingReorder_;
    std::optional<FolderID> openFolder_;
    QPointF folderAnchor_{0.5, 0.5};
    bool suppressNextTap_ = false;
};

} // namespace orbitdeck
