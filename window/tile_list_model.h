#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "layout-core/layout_item.h"
#endif

#include <QAbstractListModel>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <unordered_set>
#include <vector>

namespace orbitdeck {

// The visible tiles, all pages together. A new list reaches the view as removes, moves and
// inserts computed by a diff (never a reset), so tiles animate and a dragged tile survives.
class TileListModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the window state")
    Q_PROPERTY(int count READ count NOTIFY countChanged FINAL)

public:
    enum Role {
        KeyRole = Qt::UserRole + 1, // the text form of the tile's id (TileId::key)
        KindRole,                   // "application", "folder" or "placeholder"
        ItemIDRole,                 // the application id or folder id
        NameRole,                   // display name (localised folder title for folders)
        PathRole,                   // bundle folder of an application
        PreviewPathsRole,           // bundle folders of the apps a folder's icon shows
        TileRole,                   // the TileId
    };
    // A folder's icon shows this many apps at most.
    static constexpr qsizetype previewLimit = 9;

    struct TileText {
        QString name;
        QString path;
        QStringList previewPaths;
    };
    using Describe = std::function<TileText(const LayoutItem&)>;

    explicit TileListModel(Describe describe, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;
    int count() const { return static_cast<int>(items_.size()); }

    const std::vector<LayoutItem>& items() const { return items_; }
    // Moves the model to the new list by removes, moves and inserts; rows whose text changed
    // report dataChanged.
    void setItems(const std::vector<LayoutItem>& items);

    Q_INVOKABLE int indexOfKey(const QString& key) const;

signals:
    void countChanged();

private:
    Describe describe_;
    std::vector<LayoutItem> items_;
    std::vector<TileText> texts_;
};

} // namespace orbitdeck
