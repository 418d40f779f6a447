#include "window/layout_state.h"

#include "platform/main_thread.h"
#include "window/item_keys.h"

namespace orbitdeck {

LayoutState::LayoutState(QObject* parent)
    : QObject(parent)
    , layout_{.pageID = PageID{pageIdentity}, .graph = std::nullopt} {}

void LayoutState::setLayout(LibraryLayout layout, LayoutAnimation animation) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    layout_ = std::move(layout);
    animation_ = animation;
    emit layoutChanged();
}

QString LayoutState::animationName() const {
    switch (animation_) {
    case LayoutAnimation::none:
        return QStringLiteral("none");
    case LayoutAnimation::spring:
        return QStringLiteral("spring");
    case LayoutAnimation::undo:
        return QStringLiteral("undo");
    case LayoutAnimation::refresh:
        return QStringLiteral("refresh");
    }
    return QStringLiteral("none");
}

std::vector<LayoutItem> LayoutState::pageItems() const {
    return layout_.pageItems();
}

bool LayoutState::hasFolder(const QString& folderID) const {
    return layout_.folder(FolderID{folderID.toStdString()}).has_value();
}

QString LayoutState::folderName(const QString& folderID) const {
    const auto folder = layout_.folder(FolderID{folderID.toStdString()});
    return folder ? QString::fromStdString(folder->name) : QString();
}

QStringList LayoutState::folderItems(const QString& folderID) const {
    const auto folder = layout_.folder(FolderID{folderID.toStdString()});
    return folder ? itemKeys(folder->items) : QStringList();
}

void LayoutState::setUndoCount(int count) {
    if (undoCount_ == count)
        return;
    undoCount_ = count;
    emit undoCountChanged();
}

} // namespace orbitdeck
