#pragma once

#include <QObject>

namespace orbitdeck {

namespace menu {
Q_NAMESPACE

// What a chosen menu entry does; the menu hands it back with the entry's argument.
enum class MenuAction {
    openFolder,
    ungroup,
    open,
    quit,
    groupWith,
    moveToFolder,
    moveOutOfFolder,
    hide,
    reveal,
    dock,
    trash,
    newFolderWithSelection,
    moveSelectionToFolder,
    hideSelectedApps,
    deselectAll,
};
Q_ENUM_NS(MenuAction)
} // namespace menu

using menu::MenuAction;

} // namespace orbitdeck
