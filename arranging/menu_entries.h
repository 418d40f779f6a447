#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "layout-core/layout_item.h"
#endif

#include "arranging/menu_action.h"

#include "window/menu_entry.h"

#include <QString>

#include <utility>
#include <vector>

namespace orbitdeck {

class AmbergridWindow;

// An entry whose action code is the MenuAction handed back when it is chosen.
MenuEntry actionEntry(const QString& name, const QString& title, MenuAction action,
                      const QString& argument = {}, bool enabled = true, bool destructive = false);

// The folder tiles of the page whose folder exists, in stored page order, with their titles.
std::vector<std::pair<FolderID, QString>> pageFolders(const AmbergridWindow& window);
// "Move to Folder" with one entry per page folder; empty when the page has none.
MenuEntries moveToFolderEntries(const AmbergridWindow& window, MenuAction action);

} // namespace orbitdeck
