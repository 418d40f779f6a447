#pragma once
// A window stand-in for the drag rules: a real layout, its stored bytes, an undo stack of those
// bytes and a sort that a move turns manual.
#include "library/library_layout.h"
#include "platform/scheduler.h"

#include <algorithm>
#include <string>
#include <vector>

namespace orbitdeck::testing {

inline LayoutItem app(std::string id) {
    return LayoutItem::application(std::move(id));
}
inline LayoutItem folderTile(std::string id) {
    return LayoutItem::folder(FolderID{std::move(id)});
}

// Virtual time where a cancelled timer still fires, as one already due when it was cancelled
// would: state code must not rely on cancellation alone.
class LateCancelScheduler final : public Scheduler {
public:
    MonotonicTime now() const override { return time.now(); }
    Token schedule(std::chrono::milliseconds delay, QObject* context, Action action) override {
        return time.schedule(delay, context, std::move(action));
    }
    void cancel(Token) override {}

    VirtualScheduler time;
};

struct FakeLibrary {
    LibraryLayout layout{.pageID = PageID{"applications"}, .graph = {}};
    std::string stored;
    std::vector<std::string> undo;
    // Empty means manual; else the order the grid shows.
    std::vector<LayoutItem> sortedView;
    int moves = 0;

    explicit FakeLibrary(const std::vector<std::string>& ids) {
        layout.restore("", ids);
        stored = *layout.encodedSnapshot();
    }

    bool moveNextTo(const LayoutItem& item, const LayoutItem& target, bool after, bool recordUndo) {
        ++moves;
        LibraryLayout copy = layout;
        if (!sortedView.empty())
            copy.applyOrder(sortedView);
        if (!copy.move(item, target, after))
            return false;
        if (recordUndo)
            undo.push_back(stored);
        layout = copy;
        stored = *layout.encodedSnapshot();
        sortedView.clear();
        return true;
    }

    void undoLast() {
        layout = LibraryLayout{.pageID = PageID{"applications"}, .graph = {}};
        layout.restore(undo.back(), {});
        stored = undo.back();
        undo.pop_back();
    }

    std::vector<std::string> order() const {
        std::vector<std::string> ids;
        for (const auto& item : layout.pageItems())
            ids.push_back(item.payload);
        return ids;
    }
};

} // namespace orbitdeck::testing
