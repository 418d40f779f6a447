#include "window/item_keys.h"

namespace orbitdeck {

namespace {

const char* kindName(LayoutItem::Kind kind) {
    switch (kind) {
    case LayoutItem::Kind::application:
        return "application";
    case LayoutItem::Kind::folder:
        return "folder";
    case LayoutItem::Kind::placeholder:
        return "placeholder";
    }
    return "application";
}

} // namespace

QString itemKey(const LayoutItem& item) {
    return QString::fromLatin1(kindName(item.kind)) + u':' + QString::fromStdString(item.payload);
}

std::optional<LayoutItem> itemFromKey(const QString& key) {
    const qsizetype colon = key.indexOf(u':');
    if (colon <= 0)
        return std::nullopt;
    const QString kind = key.left(colon);
    std::string payload = key.mid(colon + 1).toStdString();
    if (payload.empty())
        return std::nullopt;
    for (const auto candidate :
         {LayoutItem::Kind::application, LayoutItem::Kind::folder, LayoutItem::Kind::placeholder}) {
        if (kind == QLatin1String(kindName(candidate)))
            return LayoutItem{.kind = candidate, .payload = std::move(payload)};
    }
    return std::nullopt;
}

QStringList itemKeys(const std::vector<LayoutItem>& items) {
    QStringList keys;
    keys.reserve(static_cast<qsizetype>(items.size()));
    for (const LayoutItem& item : items)
        keys.append(itemKey(item));
    return keys;
}

} // namespace orbitdeck
