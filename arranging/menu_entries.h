#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "layout-core/layout_item.h"
#endif

#include "arranging/menu_action.h"

#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <utility>
#include <vector>

namespace orbitdeck {

class AmbergridWindow;

// Menu content as QML draws it: a list of maps with "type" ("action", "separator", "text" or
// "submenu"), "name" (the entry's objectName), "title", "enabled", "destructive", the "action" (a
// MenuAction) and "argument" handed back when it is chosen, and a submenu's "entries".
QVariantMap actionEntry(const QString& name, const QString& title, MenuAction action,
                        const QString& argument = {}, bool enabled = true,
                        bool destructive = false);
QVariantMap separatorEntry();
QVariantMap textEntry(const QString& name, const QString& title);
QVariantMap submenuEntry(const QString& name, const QString& title, QVariantList entries);

// The folder tiles of the page whose folder exists, in stored page order, with their titles.
std::vector<std::pair<FolderID, QString>> pageFolders(const AmbergridWindow& window);
// "Move to Folder" with one entry per page folder; empty when the page has none.
QVariantList moveToFolderEntries(const AmbergridWindow& window, MenuAction action);

} // namespace orbitdeck
