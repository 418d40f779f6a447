#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "layout-core/layout_item.h"
#endif

#include <QList>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <optional>
#include <vector>

namespace orbitdeck {

// Which tile the views mean when they hand one back: an application, a folder or a placeholder
// with its id. The empty value names no tile.
class TileId {
    Q_GADGET
    QML_VALUE_TYPE(tileId)
    Q_PROPERTY(QString id READ id FINAL)
    Q_PROPERTY(bool isFolder READ isFolder FINAL)
    Q_PROPERTY(bool isApplication READ isApplication FINAL)
    // The text form, for object names and the selection's text properties.
    Q_PROPERTY(QString key READ key FINAL)

public:
    TileId() = default;
    explicit TileId(LayoutItem item)
        : item_(std::move(item)) {}

    QString id() const;
    bool isFolder() const { return item_ && item_->isFolder(); }
    bool isApplication() const { return item_ && item_->kind == LayoutItem::Kind::application; }
    QString key() const;
    const std::optional<LayoutItem>& item() const { return item_; }

    bool operator==(const TileId&) const = default;

private:
    std::optional<LayoutItem> item_;
};

QList<TileId> tileIds(const std::vector<LayoutItem>& items);

} // namespace orbitdeck
