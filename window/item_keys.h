#pragma once

#include "layout-core/layout_item.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace orbitdeck {

// How QML names a tile: "application:<id>", "folder:<id>" or "placeholder:<id>".
QString itemKey(const LayoutItem& item);
std::optional<LayoutItem> itemFromKey(const QString& key);
QStringList itemKeys(const std::vector<LayoutItem>& items);

} // namespace orbitdeck
