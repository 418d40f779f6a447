#pragma once
// The open folder's panel: its geometry, the tiles it shows, the point it grows from, and a tile
// leaving the folder when it is held over the backdrop or dropped there.
#include "arranging/rules/live_drag_timer.h"
#include "layout-core/layout_ids.h"
#include "layout-core/layout_item.h"
#include "platform/scheduler.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QObject;

namespace orbitdeck {

struct FolderPanelGeometry {
    int columns = 4;
    double tile = 52;
    // Column width.
    double cell = 98;
    int rows = 1;
    double scrollWidth = 0;
    double scrollHeight = 0;

    friend bool operator==(const FolderPanelGeometry&, const FolderPanelGeometry&) = default;
};

// At most three rows show at once; more scroll.
FolderPanelGeometry folderPanelGeometry(std::size_t shownCount, int gridColumns, double iconSize);

// Folder tiles always show; applications and placeholders only when installed and not hidden.
std::vector<LayoutItem> shownFolderItems(const std::vector<LayoutItem>& items,
                                         const std::function<bool(const std::string& id)>& shown);

// The point the panel grows from, in fractions of the content measured from the top left; the
// centre when there is no pointer or no content yet.
struct UnitPoint {
    double x = 0.5;
    double y = 0.5;

    friend bool operator==(const UnitPoint&, const UnitPoint&) = default;
};
UnitPoint folderAnchor(std::optional<std::pair<double, double>> pointer, double width,
                       double height);

class FolderLeave {
public:
    struct Actions {
        std::function<std::optional<LayoutItem>()> draggingItem;
        std::function<std::optional<FolderID>()> openFolder;
        // Takes the item out to just after the folder's tile, with an undo step.
        std::function<void(const LayoutItem& item, const FolderID& folder)> moveOutOfFolder;
        std::function<void()> closeFolder;
        // Turns arranging on (animated) unless it is on already.
        std::function<void()> startArranging;
        std::function<void()> resetLiveDrag;
    };

    static constexpr std::chrono::milliseconds delay{380};

    FolderLeave(Scheduler& scheduler, QObject* context, Actions actions);
    FolderLeave(const FolderLeave&) = delete;
    FolderLeave& operator=(const FolderLeave&) = delete;

    // A drag over the backdrop of folder's panel. A pending leave keeps its first deadline.
    void schedule(const FolderID& folder);
    // The drag came back over the panel or one of its tiles, or the folder closed.
    void cancel();
    bool pending() const { return timer_.pending(); }
    // Answers whether the drop was taken.
    bool dropOnBackdrop(const FolderID& folder);

private:
    bool isOpen(const FolderID& folder) const;
    void leave(const FolderID& folder);

    Actions actions_;
    DragTimer timer_;
};

} // namespace orbitdeck
