#include "arranging/rules/folder_panel.h"

#include "platform/main_thread.h"

#include <algorithm>

namespace orbitdeck {

FolderPanelGeometry folderPanelGeometry(std::size_t shownCount, int gridColumns, double iconSize) {
    const int columns = std::clamp(gridColumns, 4, 7);
    const double tile = std::clamp(iconSize, 52.0, 84.0);
    const double cell = tile + 46;
    const auto perRow = static_cast<std::size_t>(columns);
    const int rows = std::max(1, static_cast<int>((shownCount + perRow - 1) / perRow));
    return {.columns = columns,
            .tile = tile,
            .cell = cell,
            .rows = rows,
            .scrollWidth = (cell + 6) * columns + 44,
            .scrollHeight = (cell + 8) * std::min(rows, 3) + 44};
}

std::vector<LayoutItem> shownFolderItems(const std::vector<LayoutItem>& items,
                                         const std::function<bool(const std::string& id)>& shown) {
    std::vector<LayoutItem> result;
    std::copy_if(items.begin(), items.end(), std::back_inserter(result),
                 [&](const LayoutItem& item) { return item.isFolder() || shown(item.payload); });
    return result;
}

UnitPoint folderAnchor(std::optional<std::pair<double, double>> pointer, double width,
                       double height) {
    if (!pointer || !(width > 0) || !(height > 0))
        return {};
    return {.x = std::clamp(pointer->first / width, 0.0, 1.0),
            .y = std::clamp(pointer->second / height, 0.0, 1.0)};
}

FolderLeave::FolderLeave(Scheduler& scheduler, QObject* context, Actions actions)
    : actions_(std::move(actions))
    , timer_(scheduler, context) {}

bool FolderLeave::isOpen(const FolderID& folder) const {
    return actions_.openFolder() == folder;
}

void FolderLeave::schedule(const FolderID& folder) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (!actions_.draggingItem() || !isOpen(folder) || timer_.pending())
        return;
    timer_.start(delay, [this, folder] { leave(folder); });
}

void FolderLeave::leave(const FolderID& folder) {
    const auto item = actions_.draggingItem();
    if (!item || !isOpen(folder))
        return;
    actions_.moveOutOfFolder(*item, folder);
    actions_.closeFolder();
    actions_.startArranging();
}

void FolderLeave::cancel() {
    timer_.cancel();
}

bool FolderLeave::dropOnBackdrop(const FolderID& folder) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const auto item = actions_.draggingItem();
    if (!item)
        return false;
    actions_.resetLiveDrag();
    actions_.moveOutOfFolder(*item, folder);
    cancel();
    actions_.closeFolder();
    return true;
}

} // namespace orbitdeck
