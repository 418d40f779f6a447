#include "platform/dbus_menu.h"

#include "platform/main_thread.h"

namespace orbitdeck {

namespace {

constexpr int rootId = 0;

QVariantMap filtered(const QVariantMap& properties, const QStringList& names) {
    if (names.isEmpty())
        return properties;
    QVariantMap result;
    for (const QString& name : names)
        if (properties.contains(name))
            result.insert(name, properties.value(name));
    return result;
}

} // namespace

DBusMenu::DBusMenu(std::function<std::vector<StatusMenuEntry>()> entries,
                   std::function<void(int id)> chosen, QObject* parent)
    : QObject(parent)
    , entries_(std::move(entries))
    , chosen_(std::move(chosen)) {
    registerDBusMenuTypes();
    current_ = entries_();
}

QVariantMap DBusMenu::entryProperties(const StatusMenuEntry& entry) {
    if (entry.separator)
        return {{QStringLiteral("type"), QStringLiteral("separator")}};
    QString label = entry.title;
    // An underscore marks a mnemonic; a title's own underscores are doubled.
    label.replace(QLatin1Char('_'), QStringLiteral("__"));
    QVariantMap properties{{QStringLiteral("label"), label},
                           {QStringLiteral("enabled"), entry.enabled}};
    if (!entry.key.isEmpty())
        properties.insert(QStringLiteral("shortcut"), QVariant::fromValue(QList<QStringList>{
                                                          {QStringLiteral("Control"), entry.key}}));
    return properties;
}

bool DBusMenu::refresh() {
    std::vector<StatusMenuEntry> fresh = entries_();
    if (fresh == current_)
        return false;
    current_ = std::move(fresh);
    ++revision_;
    emit LayoutUpdated(revision_, rootId);
    return true;
}

const StatusMenuEntry* DBusMenu::entryAt(int wireId) const {
    if (wireId <= 0 || static_cast<std::size_t>(wireId) > current_.size())
        return nullptr;
    return &current_[static_cast<std::size_t>(wireId - 1)];
}

uint DBusMenu::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                         DBusMenuLayoutItem& layout) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    layout = DBusMenuLayoutItem{.id = parentId, .properties = {}, .children = {}};
    if (parentId != rootId) {
        if (const StatusMenuEntry* entry = entryAt(parentId))
            layout.properties = filtered(entryProperties(*entry), propertyNames);
        return revision_;
    }
    layout.properties = {{QStringLiteral("children-display"), QStringLiteral("submenu")}};
    if (recursionDepth == 0)
        return revision_;
    for (std::size_t i = 0; i < current_.size(); ++i)
        layout.children.append(
            DBusMenuLayoutItem{.id = static_cast<int>(i + 1),
                               .properties = filtered(entryProperties(current_[i]), propertyNames),
                               .children = {}});
    return revision_;
}

DBusMenuItemPropertiesList DBusMenu::GetGroupProperties(const QList<int>& ids,
                                                        const QStringList& propertyNames) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    DBusMenuItemPropertiesList result;
    for (int id : ids)
        if (const StatusMenuEntry* entry = entryAt(id))
            result.append(
                {.id = id, .properties = filtered(entryProperties(*entry), propertyNames)});
    return result;
}

QDBusVariant DBusMenu::GetProperty(int id, const QString& name) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const StatusMenuEntry* entry = entryAt(id);
    return QDBusVariant(entry ? entryProperties(*entry).value(name) : QVariant());
}

bool DBusMenu::dispatch(int wireId, const QString& eventId) {
    if (wireId == rootId)
        return true;
    const StatusMenuEntry* entry = entryAt(wireId);
    if (entry == nullptr)
        return false;
    if (eventId == QLatin1String("clicked") && entry->enabled && !entry->separator && chosen_) {
        // Copied: the action may rebuild the entries.
        const int id = entry->id;
        chosen_(id);
    }
    return true;
}

void DBusMenu::Event(int id, const QString& eventId, const QDBusVariant&, uint) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    dispatch(id, eventId);
}

QList<int> DBusMenu::EventGroup(const DBusMenuEventList& events) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    QList<int> unknown;
    for (const DBusMenuEvent& event : events)
        if (!dispatch(event.id, event.eventId))
            unknown.append(event.id);
    return unknown;
}

bool DBusMenu::AboutToShow(int id) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    return id == rootId && refresh();
}

QList<int> DBusMenu::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    QList<int> updates;
    for (int id : ids) {
        if (id == rootId) {
            if (refresh())
                updates.append(id);
        } else if (entryAt(id) == nullptr) {
            idErrors.append(id);
        }
    }
    return updates;
}

} // namespace orbitdeck
