#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "layout-core/layout_item.h"
#include "library/library_layout.h"
#endif

#include <QObject>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <optional>
#include <vector>

namespace orbitdeck {

class AmbergridWindow;

// Makes one folder of the items at the first item's slot, holding them in list order.
bool createFolderFromItems(LibraryLayout& layout, const std::vector<LayoutItem>& items);

// Every change of the layout goes through one commit: change a copy, encode it, record the
// stored bytes from before as an undo step (once the library has loaded), assign the copy with
// the spring, and store the bytes at once. A change that reports false leaves no trace.
class LayoutOperations : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the arranging module")

public:
    using Change = std::function<bool(LibraryLayout&)>;

    LayoutOperations(AmbergridWindow& window, QObject* parent = nullptr);

    bool updateLayout(bool recordUndo, const Change& change);

    bool moveItem(const LayoutItem& item, const LayoutItem& target, bool after,
                  const std::optional<std::vector<LayoutItem>>& order, bool recordUndo);
    bool appendItem(const LayoutItem& item, const FolderID& folder, bool recordUndo);
    bool createFolder(const LayoutItem& source, const LayoutItem& target, bool recordUndo);
    bool ungroupFolder(const FolderID& folder, bool recordUndo);
    bool moveOutOfFolder(const LayoutItem& item, const FolderID& folder, bool recordUndo);
    bool groupSelectedItems(const std::vector<LayoutItem>& items, bool recordUndo);
    bool moveSelectedItems(const std::vector<LayoutItem>& items, const FolderID& folder,
                           bool recordUndo);
    bool renameFolder(const FolderID& folder, const QString& name, bool recordUndo);

    // The title field's save: renames only when the text differs from the title shown.
    Q_INVOKABLE bool commitFolderRename(const QString& folderID, const QString& name);

private:
    AmbergridWindow& window_;
};

} // namespace orbitdeck
