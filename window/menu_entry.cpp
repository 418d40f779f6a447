#include "window/menu_entry.h"

namespace orbitdeck {

MenuEntry MenuEntry::makeAction(const QString& name, const QString& title, int action,
                                const QString& argument, bool enabled, bool destructive) {
    MenuEntry entry;
    entry.name = name;
    entry.title = title;
    entry.action = action;
    entry.argument = argument;
    entry.enabled = enabled;
    entry.destructive = destructive;
    return entry;
}

MenuEntry MenuEntry::makeSeparator() {
    MenuEntry entry;
    entry.kind = Kind::separator;
    return entry;
}

MenuEntry MenuEntry::makeText(const QString& name, const QString& title) {
    MenuEntry entry;
    entry.kind = Kind::text;
    entry.name = name;
    entry.title = title;
    entry.enabled = false;
    return entry;
}

MenuEntry MenuEntry::makeSubmenu(const QString& name, const QString& title,
                                 QList<MenuEntry> entries) {
    MenuEntry entry;
    entry.kind = Kind::submenu;
    entry.name = name;
    entry.title = title;
    entry.entries = std::move(entries);
    return entry;
}

} // namespace orbitdeck
